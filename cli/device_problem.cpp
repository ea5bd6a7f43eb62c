// SPDX-License-Identifier: MIT
#include "cli/device_problem.h"

#include <cstdlib>
#include <string_view>

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "board/socket_path.h"
#include "profiles/file_kind.h"
#endif
#if defined(__linux__)
#include "board/i2c_dev_buses.h"
#endif

namespace torvix {

#if defined(_WIN32)

std::string DeviceOpenProblem() { return {}; }

#else

namespace {

// errno of a connection attempt that returns at once: a full backlog gives EAGAIN, not a hang.
int connectErrno(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return errno;
  const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  const int reason = result == 0 ? 0 : errno;
  ::close(fd);
  return reason;
}

std::string socketProblem(const std::string& path) {
  constexpr std::size_t kLongest = sizeof(sockaddr_un::sun_path) - 1;
  if (path.size() > kLongest) {
    return "the path is too long for a socket (" + std::to_string(path.size()) +
           " bytes, at most " + std::to_string(kLongest) + ")";
  }
  std::error_code failure;
  const std::filesystem::file_type type = std::filesystem::status(path, failure).type();
  if (failure) return failure.message();
  if (type != std::filesystem::file_type::socket) {
    return std::string("it is ") + FileKindWords(type) + ", not a socket";
  }
  const int reason = connectErrno(path);
  if (reason == ECONNREFUSED) return std::string(std::strerror(reason)) + " (nothing serves it)";
  if (reason != 0) return std::strerror(reason);
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && info.st_uid != ::geteuid() && info.st_uid != 0) {
    return "it belongs to another user (uid " + std::to_string(info.st_uid) + ")";
  }
  return {};
}

}  // namespace

std::string DeviceOpenProblem() {
  const char* setting = std::getenv("QUORLINK_DEVICE");
  const std::string device =
      setting != nullptr && setting[0] != '\0' ? setting : DefaultSocketPath();
  if (device == "sim") return {};
#if defined(__linux__)
  // An i2c-dev bus is checked, and its failure told, before the command runs.
  if (std::string_view(device).starts_with(kI2cDevicePrefix)) return {};
#endif
  const std::string problem = socketProblem(device);
  return problem.empty() ? problem : "Error: cannot open device " + device + ": " + problem;
}

#endif

}  // namespace torvix
