// SPDX-License-Identifier: MIT
#include "sim/daemon_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "board/socket_framing.h"
#include "board/socket_path.h"

namespace torvix {

namespace {

// A client that sends and never reads its replies is cut off rather than buffered forever.
constexpr std::size_t kMaxPendingReply = std::size_t{64} * 1024;
// At least the bridge library's 100 handles, all open at once, each its own connection;
// beyond that a client is refused rather than left to exhaust the daemon's descriptors.
constexpr std::size_t kMaxConnections = 128;

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

enum class Liveness { kLive, kStale, kUnknown };

// Whether some process serves the socket, without ever waiting: a server whose queue of
// connections is full answers EAGAIN at once, and is as alive as one that accepts.
Liveness ProbeSocket(const sockaddr_un& address) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return Liveness::kUnknown;
  const int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  const int error = errno;
  ::close(fd);
  if (rc == 0 || error == EAGAIN || error == EINPROGRESS) return Liveness::kLive;
  if (error == ECONNREFUSED || error == ENOENT) return Liveness::kStale;
  errno = error;
  return Liveness::kUnknown;  // not allowed to connect, for one: it may well be in use
}

// Who may connect follows from the mode the socket file is created with, whatever the umask.
bool BindWithMode(int fd, const sockaddr_un& address, mode_t mode) {
  const mode_t previous = ::umask(~mode & 0777);
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int error = errno;
  ::umask(previous);
  errno = error;
  return bound;
}

// Board-to-host requests and the version query carry the output buffer back.
bool RepliesWithOutput(uint32_t code) {
  return code == kControlBoardToHost || code == kControlVersion;
}

// Told, not dropped: the client's library then says why its request failed. A fresh
// connection's buffer takes the few bytes at once; where it does not, the client still sees the
// connection closed.
void Refuse(int fd) {
  const std::vector<uint8_t> refusal = EncodeRefusal(RefusalReason::kTooManyConnections);
  [[maybe_unused]] const ssize_t n =
      ::send(fd, refusal.data(), refusal.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  std::fprintf(stderr, "zembrel-sim: refused a program: serving %zu connections already\n",
               kMaxConnections);
  ::close(fd);
}

}  // namespace

DaemonServer::~DaemonServer() { Close(); }

bool DaemonServer::Listen(const std::string& path, bool groupAccess, std::string& error) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) {
    error = "socket path '" + path + "' is empty or longer than " +
            std::to_string(sizeof address.sun_path - 1) + " bytes";
    return false;
  }
  if (!ClearStaleSocket(path, address, error)) return false;
  const mode_t mode = groupAccess ? 0660 : 0600;
  // Made before the socket: whoever finds the socket finds its lock.
  const std::string lockPath = SocketLockPath(path);
  MadeFile lockFile{};
  if (!MakeCameraLockFile(lockPath, mode, lockFile, error)) return false;
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  struct stat own {};
  if (listenFd_ < 0 || !BindWithMode(listenFd_, address, mode) ||
      ::lstat(path.c_str(), &own) != 0 || ::listen(listenFd_, 16) != 0 ||
      !SetNonBlocking(listenFd_)) {
    error = Reason("cannot listen at " + path);
    if (listenFd_ >= 0) ::close(listenFd_);
    listenFd_ = -1;
    RemoveMadeFile(lockPath, lockFile);
    return false;
  }
  path_ = path;
  socketFile_ = {own.st_dev, own.st_ino};
  lockPath_ = lockPath;
  lockFile_ = lockFile;
  return true;
}

bool DaemonServer::ClearStaleSocket(const std::string& path, const sockaddr_un& address,
                                    std::string& error) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return true;
  if (!S_ISSOCK(info.st_mode)) {
    error = path + " exists and is not a socket";
    return false;
  }
  switch (ProbeSocket(address)) {
    case Liveness::kLive: error = "socket " + path + " is in use by another server"; return false;
    case Liveness::kUnknown:
      error = Reason("cannot tell whether socket " + path + " is in use; left alone");
      return false;
    case Liveness::kStale:
      ::unlink(path.c_str());  // left behind by a server that died
      return true;
  }
  return false;
}

bool DaemonServer::Run(int stopFd, std::string& error) {
  std::vector<pollfd> fds;
  for (;;) {
    fds.assign({{stopFd, POLLIN, 0}, {listenFd_, POLLIN, 0}});
    for (const Connection& connection : connections_) {
      short events = connection.out.size() < kMaxPendingReply ? POLLIN : 0;
      if (!connection.out.empty()) events |= POLLOUT;
      fds.push_back({connection.fd, events, 0});
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      error = Reason("poll");
      return false;
    }
    if (fds[0].revents != 0) return true;
    // Connections first, in the order they came: each is served before anything new is taken.
    std::vector<int> broken;
    for (std::size_t i = 2; i < fds.size(); ++i) {
      Connection& connection = connections_[i - 2];
      bool keep = true;
      if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) keep = Receive(connection);
      if (keep && !connection.out.empty()) keep = Flush(connection);
      if (!keep) broken.push_back(connection.fd);
    }
    for (const int fd : broken) {
      ::close(fd);
      std::erase_if(connections_, [fd](const Connection& c) { return c.fd == fd; });
    }
    if (fds[1].revents & POLLIN) Accept();
  }
}

void DaemonServer::Accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;  // EAGAIN: all taken; anything else: the client gave up already
    if (connections_.size() >= kMaxConnections) {
      Refuse(fd);
      continue;
    }
    connections_.push_back(Connection{fd, rig_.OpenBoardSession(), {}, {}});
  }
}

bool DaemonServer::Receive(Connection& connection) {
  uint8_t buffer[4096];
  const ssize_t n = ::recv(connection.fd, buffer, sizeof buffer, 0);
  if (n == 0) return false;  // closed, possibly in the middle of a request
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  connection.in.insert(connection.in.end(), buffer, buffer + n);
  return Serve(connection);
}

bool DaemonServer::Serve(Connection& connection) {
  for (;;) {
    FramedRequest request;
    std::size_t consumed = 0;
    const DecodeStatus status = DecodeRequest(connection.in, request, consumed);
    if (status == DecodeStatus::kNeedMore) return true;
    if (status == DecodeStatus::kMalformed) return false;
    connection.in.erase(connection.in.begin(),
                        connection.in.begin() + static_cast<std::ptrdiff_t>(consumed));
    const ControlResult result =
        rig_.Control(*connection.board, request.code, request.input, request.output);
    const std::span<const uint8_t> back = RepliesWithOutput(request.code)
                                              ? std::span<const uint8_t>(request.output)
                                              : std::span<const uint8_t>();
    const std::vector<uint8_t> reply = EncodeReply(result, back);
    connection.out.insert(connection.out.end(), reply.begin(), reply.end());
    if (afterRequest_) afterRequest_();
  }
}

bool DaemonServer::Flush(Connection& connection) {
  while (!connection.out.empty()) {
    const ssize_t n = ::send(connection.fd, connection.out.data(), connection.out.size(),
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    connection.out.erase(connection.out.begin(), connection.out.begin() + n);
  }
  return true;
}

void DaemonServer::Close() {
  for (const Connection& connection : connections_) ::close(connection.fd);
  connections_.clear();
  if (listenFd_ < 0) return;
  ::close(listenFd_);
  listenFd_ = -1;
  // The socket first: whoever still finds it finds its lock.
  RemoveMadeFile(path_, socketFile_);
  RemoveMadeFile(lockPath_, lockFile_);
}

}  // namespace torvix
