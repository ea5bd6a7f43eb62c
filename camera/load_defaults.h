// Making the camera reload its factory settings.
#pragma once

#include <cstdint>

#include "camera/camera_link.h"

namespace torvix {

// Writes 0xF0 := 1 and, when the camera took it, waits out the reload (1500 ms): the camera
// does not answer its address meanwhile, so nothing should be sent before the pause ends.
// Returns the write's result (0 done, 1 failed, its messages already shown).
uint8_t LoadCameraDefaults(CameraLink& link);

}  // namespace torvix
