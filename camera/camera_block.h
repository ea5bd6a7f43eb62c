// SPDX-License-Identifier: MIT
// What the controller knows of the camera: the last value of each setting and the camera's
// bus address, kept together as one 30-byte block.
#pragma once

#include <cstdint>

#include "camera/settings_table.h"

namespace torvix {

inline constexpr uint8_t kDefaultCameraBusAddress = 0x70;

struct CameraBlock {
  uint8_t SettingsShadow[kSettingCount];  // indexed by SettingId
  uint8_t CameraBusAddress;               // 8-bit write form, bit 0 clear
};
static_assert(sizeof(CameraBlock) == 30, "29 shadow bytes and the bus address, no padding");

// Every shadow byte from its row's default, and the address 0x70: the state at start-up.
CameraBlock DefaultCameraBlock();

}  // namespace torvix
