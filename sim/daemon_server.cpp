#include "sim/daemon_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "board/socket_framing.h"

namespace torvix {

namespace {

// A client that sends and never reads its replies is cut off rather than buffered forever.
constexpr std::size_t kMaxPendingReply = 64 * 1024;
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

// Whether some process accepts connections at the socket.
bool SomeoneListens(const sockaddr_un& address) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool live =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return live;
}

// Board-to-host requests and the version query carry the output buffer back.
bool RepliesWithOutput(uint32_t code) {
  return code == kControlBoardToHost || code == kControlVersion;
}

}  // namespace

DaemonServer::~DaemonServer() { Close(); }

bool DaemonServer::Listen(const std::string& path, std::string& error) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) {
    error = "socket path '" + path + "' is empty or longer than " +
            std::to_string(sizeof address.sun_path - 1) + " bytes";
    return false;
  }
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) {
    if (!S_ISSOCK(info.st_mode)) {
      error = path + " exists and is not a socket";
      return false;
    }
    if (SomeoneListens(address)) {
      error = "socket " + path + " is in use by another server";
      return false;
    }
    ::unlink(path.c_str());  // left behind by a server that died
  }
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) {
    error = Reason("cannot create socket");
    return false;
  }
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 16) != 0 || !SetNonBlocking(listenFd_)) {
    error = Reason("cannot listen at " + path);
    ::close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  path_ = path;
  return true;
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
      ::close(fd);
      continue;
    }
    connections_.push_back(Connection{fd, {}, {}});
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
    const ControlResult result = rig_.Control(request.code, request.input, request.output);
    const std::span<const uint8_t> back =
        RepliesWithOutput(request.code) ? std::span<const uint8_t>(request.output)
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
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    ::unlink(path_.c_str());
  }
}

}  // namespace torvix
