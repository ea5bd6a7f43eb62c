// SPDX-License-Identifier: MIT
// Why the adapter device would not open. The library answers every cause with the same code and
// the same words; torvix adds one line in the system's own, so a user knows what to fix.
#pragma once

#include <string>

namespace torvix {

// For the device QUORLINK_DEVICE names (unset or empty: the default socket), a line such as
// "Error: cannot open device /run/user/0/zembrel-0: No such file or directory", or "" when no
// cause shows: the in-process board, the Windows driver, or a socket that opens when asked
// again. It looks at the path and tries one connection that cannot block; it sends nothing.
std::string DeviceOpenProblem();

}  // namespace torvix
