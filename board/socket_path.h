// SPDX-License-Identifier: MIT
// Where a board's daemon serves its socket unless told otherwise, and so where the library
// looks for one: $XDG_RUNTIME_DIR/zembrel-0, else /tmp/zembrel-0.
#pragma once

#include <cstdlib>
#include <string>

namespace torvix {

inline std::string DefaultSocketPath() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir != nullptr && runtimeDir[0] != '\0') return std::string(runtimeDir) + "/zembrel-0";
  return "/tmp/zembrel-0";
}

}  // namespace torvix
