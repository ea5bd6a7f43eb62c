// SPDX-License-Identifier: MIT
#include "program/standard_output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "program/caught_signals.h"

namespace torvix {

namespace {

// On failure the reason is in errno, or errno is 0 when an earlier write lost it.
bool Close() {
  errno = 0;
  std::cout.flush();
  if (std::cout.fail() || std::ferror(stdout) != 0) {
    const int reason = errno;
    std::fclose(stdout);
    errno = reason;
    return false;
  }
  return std::fflush(stdout) == 0 && std::fclose(stdout) == 0;
}

#if !defined(_WIN32)
void DoNothing(int) {}
#endif

}  // namespace

void FailWritesToClosedPipes() {
#if !defined(_WIN32)
  CatchSignal(SIGPIPE, DoNothing);
#endif
}

int CloseStandardOutput(int code, const char* prefix) {
  if (Close()) return code;
  const int reason = errno;
  std::fprintf(stderr, "%scannot write standard output%s%s\n", prefix, reason != 0 ? ": " : "",
               reason != 0 ? std::strerror(reason) : "");
  return code == 0 ? 1 : code;
}

}  // namespace torvix
