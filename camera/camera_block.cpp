// SPDX-License-Identifier: MIT
#include "camera/camera_block.h"

namespace torvix {

CameraBlock DefaultCameraBlock() {
  CameraBlock block{};
  for (const CameraSetting& row : kSettingsTable) {
    block.SettingsShadow[row.number] = row.defaultValue;
  }
  block.CameraBusAddress = kDefaultCameraBusAddress;
  return block;
}

}  // namespace torvix
