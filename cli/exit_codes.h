// SPDX-License-Identifier: MIT
// What torvix tells the shell.
#pragma once

namespace torvix {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the camera, the board or a file failed
inline constexpr int kExitUsage = 2;   // the command line or a profile asked for the impossible

}  // namespace torvix
