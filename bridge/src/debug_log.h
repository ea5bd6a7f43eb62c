// SPDX-License-Identifier: MIT
// The library's debug lines: on stderr while QUORLINK_DEBUG is set (to anything but empty),
// for a user who wants to know why a device would not open. Otherwise the library is silent.
#pragma once

namespace torvix {

// printf-style; the line gets the "quorlink: " prefix and its newline here.
void DebugLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace torvix
