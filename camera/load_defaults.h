// SPDX-License-Identifier: MIT
// Making the camera reload its factory settings.
#pragma once

#include <cstdint>

#include "camera/camera_link.h"

namespace torvix {

// The register outside the settings table that makes the camera load its defaults.
inline constexpr uint8_t kLoadDefaultsRegister = 0xf0;
inline constexpr uint8_t kLoadDefaultsCommand = 0x01;

// Writes 0xF0 := 1 and, when the camera took it, waits out the reload (1500 ms): the camera
// does not answer its address meanwhile, so nothing should be sent before the pause ends.
// Returns the write's result (0 done, 1 failed, its messages already shown).
uint8_t LoadCameraDefaults(CameraLink& link);

}  // namespace torvix
