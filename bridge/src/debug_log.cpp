// SPDX-License-Identifier: MIT
#include "bridge/src/debug_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace torvix {

void DebugLine(const char* format, ...) {
  const char* setting = std::getenv("QUORLINK_DEBUG");
  if (setting == nullptr || setting[0] == '\0') return;
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::fprintf(stderr, "quorlink: %s\n", line);
}

}  // namespace torvix
