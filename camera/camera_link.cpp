// SPDX-License-Identifier: MIT
#include "camera/camera_link.h"

namespace torvix {

CameraLink::CameraLink(BridgeApi& bridge, MessageHost& messages)
    : bridge_(bridge), messages_(messages), block_(DefaultCameraBlock()) {}

}  // namespace torvix
