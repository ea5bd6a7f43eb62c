// SPDX-License-Identifier: MIT
// Where a board's daemon serves its socket unless told otherwise, and so where the library
// looks for one: $XDG_RUNTIME_DIR/zembrel-0, else /tmp/zembrel-0; and its camera lock.
#pragma once

#include <cstdlib>
#include <string>

namespace torvix {

inline std::string DefaultSocketPath() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir != nullptr && runtimeDir[0] != '\0') return std::string(runtimeDir) + "/zembrel-0";
  return "/tmp/zembrel-0";
}

// The camera lock beside a daemon's socket: the daemon makes it with the socket's owner and
// mode, so only those who may connect may take it, and clients never create it.
inline std::string SocketLockPath(const std::string& socket) { return socket + ".lock"; }

}  // namespace torvix
