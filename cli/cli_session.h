// SPDX-License-Identifier: MIT
// What every torvix command works with: the streams, the message host and the camera link.
#pragma once

#include "camera/camera_link.h"
#include "cli/console.h"
#include "cli/console_message_host.h"

namespace torvix {

struct CliSession {
  Console& console;
  ConsoleMessageHost& host;
  CameraLink& link;
};

}  // namespace torvix
