// SPDX-License-Identifier: MIT
// torvix [--device SPEC] [--address 0xNN] COMMAND ...: the camera link for scripts.
#pragma once

#include <string>
#include <vector>

#include "camera/bridge_api.h"
#include "cli/console.h"

namespace torvix {

// Runs one command line (args without the program name) and returns the exit code: 0 done,
// 1 camera or file error, 2 usage. --device goes into QUORLINK_DEVICE before the first bridge
// call, since that is the library's only setting.
int RunTorvix(const std::vector<std::string>& args, Console& console, BridgeApi& bridge);

}  // namespace torvix
