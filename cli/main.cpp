// SPDX-License-Identifier: MIT
// torvix: the camera link for scripts, on the Quorlink library.
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <iostream>

#include "camera/quorlink_bridge_api.h"
#if !defined(_WIN32)
#include "camera/device_camera_lock.h"
#endif
#include "cli/torvix_cli.h"
#include "program/standard_output.h"

namespace {

bool stderrIsTerminal() {
#if defined(_WIN32)
  return ::_isatty(::_fileno(stderr)) != 0;
#else
  return ::isatty(STDERR_FILENO) == 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  torvix::FailWritesToClosedPipes();
#if defined(_WIN32)
  constexpr bool kTextStdout = true;
#else
  constexpr bool kTextStdout = false;
#endif
  torvix::Console console{std::cin, std::cout, std::cerr, stderrIsTerminal(), kTextStdout};
  torvix::QuorlinkBridgeApi bridge;
#if !defined(_WIN32)
  // Other programs on the same camera wait for each of our register accesses, and we for theirs.
  torvix::DeviceCameraLock cameraLock;
  const torvix::ScopedCameraLock scopedCameraLock(cameraLock);
#endif
  const int code = torvix::RunTorvix({argv + 1, argv + argc}, console, bridge);
  return torvix::CloseStandardOutput(code, "Error: ");
}
