// SPDX-License-Identifier: MIT
#include "bridge/socket/socket_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "board/socket_framing.h"
#include "board/socket_path.h"
#include "bridge/devices/device_setting.h"
#include "bridge/src/debug_log.h"
#include "clock/clock.h"

namespace torvix {

namespace {

#if defined(MSG_NOSIGNAL)
constexpr int kSendFlags = MSG_NOSIGNAL;
#else
constexpr int kSendFlags = 0;  // SO_NOSIGPIPE is set on the socket instead
#endif

// Whether the last refusal has been told; a reply clears it. A refusal ends the operation in hand,
// so a program that tries again (the window's Connect, a search over every address) hears it
// once until it has been served again.
std::atomic<bool> refusalTold{false};

// The library's one line for a server that refused the connection, which no result code can tell.
void TellRefusal(const std::string& path, uint32_t reason) {
  if (refusalTold.exchange(true)) return;
  std::fprintf(stderr, "Quorlink: %s: %s\n", path.c_str(), RefusalWords(reason).c_str());
}

// Every errno and short transfer ends here: the request fails and the connection is dropped,
// so a half-read reply can never be taken for the answer to the next request.
class SocketAdapterDevice final : public AdapterDevice {
 public:
  SocketAdapterDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~SocketAdapterDevice() override { Disconnect(); }
  SocketAdapterDevice(const SocketAdapterDevice&) = delete;
  SocketAdapterDevice& operator=(const SocketAdapterDevice&) = delete;

  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    if (fd_ < 0) return {};
    // One deadline for the whole request, counted from before it goes out: a board that
    // trickles its reply a byte at a time is as dead as a silent one.
    const Microseconds deadline = Now() + kSocketReplyTimeout;
    // A server that refuses the connection may close it before the request is out: what it
    // said is read all the same.
    const bool sent = SendAll(EncodeRequest(code, input, output));
    FramedReply reply;
    if (!ReceiveReply(output.size(), deadline, reply) || !sent) return Fail();
    refusalTold = false;
    if (!reply.output.empty()) std::memcpy(output.data(), reply.output.data(), reply.output.size());
    return reply.result;
  }

 private:
  bool SendAll(const std::vector<uint8_t>& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, kSendFlags);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool ReceiveReply(std::size_t outputCapacity, Microseconds deadline, FramedReply& reply) {
    std::vector<uint8_t> bytes;
    uint8_t chunk[512];
    for (;;) {
      std::size_t consumed = 0;
      uint32_t reason = 0;
      DecodeStatus status = DecodeRefusal(bytes, reason);
      if (status == DecodeStatus::kComplete) {
        TellRefusal(path_, reason);
        return false;
      }
      if (status == DecodeStatus::kMalformed) {
        status = DecodeReply(bytes, outputCapacity, reply, consumed);
      }
      switch (status) {
        case DecodeStatus::kComplete:
          return consumed == bytes.size();  // trailing bytes answer nothing we asked
        case DecodeStatus::kMalformed: return false;
        case DecodeStatus::kNeedMore: break;
      }
      if (!WaitReadable(deadline)) return false;
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
      if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
      if (n <= 0) return false;  // closed or failed
      // Bytes that come after the deadline complete nothing, however they trickled in.
      if (Now() >= deadline) return false;
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
  }

  // false once the deadline has passed without anything to read.
  bool WaitReadable(Microseconds deadline) const {
    for (;;) {
      const Microseconds left = deadline - Now();
      if (left <= Microseconds::zero()) return false;
      pollfd ready{fd_, POLLIN, 0};
      const auto ms = std::chrono::ceil<Milliseconds>(left).count();
      const int rc = ::poll(&ready, 1, static_cast<int>(ms));
      if (rc > 0) return true;
      if (rc == 0 || errno != EINTR) return false;
    }
  }

  ControlResult Fail() {
    Disconnect();
    return {};
  }

  void Disconnect() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  int fd_;
  std::string path_;
};

// Bounds the connect and every send; the reply has its own deadline (Control).
void SetTimeouts(int fd) {
  timeval timeout{};
  timeout.tv_sec = static_cast<time_t>(kSocketReplyTimeout.count() / 1000);
  timeout.tv_usec = static_cast<suseconds_t>((kSocketReplyTimeout.count() % 1000) * 1000);
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
#if defined(SO_NOSIGPIPE)
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
}

}  // namespace

std::unique_ptr<AdapterDevice> OpenDefaultSocketAdapterDevice(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    DebugLine("%s: %s", path.c_str(), std::strerror(errno));
    return nullptr;
  }
  const uid_t me = ::geteuid();
  if (info.st_uid != me && info.st_uid != 0) {
    DebugLine("%s belongs to user %u, neither this user (%u) nor root: not connecting",
              path.c_str(), static_cast<unsigned>(info.st_uid), static_cast<unsigned>(me));
    return nullptr;
  }
  return OpenSocketAdapterDevice(path);
}

std::unique_ptr<AdapterDevice> OpenSocketAdapterDevice(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return nullptr;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return nullptr;
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  SetTimeouts(fd);
  int rc = 0;
  do {
    rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (rc < 0 && errno == EINTR);
  if (rc < 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<SocketAdapterDevice>(fd, path);
}

std::unique_ptr<AdapterDevice> SocketTransport::Open(const DeviceSetting& setting) {
  return setting.named ? OpenSocketAdapterDevice(setting.argument)
                       : OpenDefaultSocketAdapterDevice(DefaultSocketPath());
}

}  // namespace torvix
