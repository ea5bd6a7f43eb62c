// torvix: the camera link for scripts, on the Quorlink library.
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "camera/quorlink_bridge_api.h"
#if !defined(_WIN32)
#include "camera/device_camera_lock.h"
#endif
#include "cli/exit_codes.h"
#include "cli/torvix_cli.h"

namespace {

bool stderrIsTerminal() {
#if defined(_WIN32)
  return ::_isatty(::_fileno(stderr)) != 0;
#else
  return ::isatty(STDERR_FILENO) == 1;
#endif
}

// Data that never reached its file is a failure: a script that saved a profile onto a full
// disk must not be told it succeeded. Most write errors show only when stdout's buffer is
// flushed. On failure the reason is in errno, or errno is 0 when an earlier write lost it.
bool closeStandardOutput() {
  errno = 0;
  std::cout.flush();  // flushes stdout itself: cout writes through C stdio
  if (std::cout.fail() || std::ferror(stdout) != 0) {
    const int reason = errno;
    std::fclose(stdout);
    errno = reason;
    return false;
  }
  return std::fflush(stdout) == 0 && std::fclose(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  torvix::Console console{std::cin, std::cout, std::cerr, stderrIsTerminal()};
  torvix::QuorlinkBridgeApi bridge;
#if !defined(_WIN32)
  // Other programs on the same camera wait for each of our register accesses, and we for theirs.
  torvix::DeviceCameraLock cameraLock(torvix::SharedLockFolder());
  const torvix::ScopedCameraLock scopedCameraLock(cameraLock);
#endif
  const int code = torvix::RunTorvix({argv + 1, argv + argc}, console, bridge);
  if (closeStandardOutput()) return code;
  std::cerr << "Error: cannot write standard output"
            << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << '\n';
  return code == torvix::kExitDone ? torvix::kExitFailed : code;
}
