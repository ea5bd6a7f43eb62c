// SPDX-License-Identifier: MIT
#include "bridge/socket/socket_row.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "board/socket_path.h"
#include "bridge/devices/device_setting.h"
#include "messages/file_kind.h"

namespace torvix {

namespace {

std::string SocketOf(const DeviceSetting& setting) {
  return setting.named ? setting.argument : DefaultSocketPath();
}

// errno of a connection attempt that returns at once: a full backlog gives EAGAIN, not a hang.
int ConnectErrno(const std::string& path) {
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

std::string SocketProblem(const std::string& path) {
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
  const int reason = ConnectErrno(path);
  if (reason == ECONNREFUSED) return std::string(std::strerror(reason)) + " (nothing serves it)";
  if (reason != 0) return std::strerror(reason);
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && info.st_uid != ::geteuid() && info.st_uid != 0) {
    return "it belongs to another user (uid " + std::to_string(info.st_uid) + ")";
  }
  return {};
}

}  // namespace

CameraIdentity SocketTransport::Identity(const DeviceSetting& setting) {
  const std::string socket = SocketOf(setting);
  return {SocketLockPath(socket), socket};
}

std::string SocketTransport::OpenProblem(const DeviceSetting& setting) {
  const std::string socket = SocketOf(setting);
  const std::string problem = SocketProblem(socket);
  return problem.empty() ? problem : "cannot open device " + socket + ": " + problem;
}

}  // namespace torvix
