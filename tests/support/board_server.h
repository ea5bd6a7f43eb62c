// SPDX-License-Identifier: MIT
// A small board server on a socket in a scratch folder, run on a thread of the test or
// benchmark: the socket side of the driver protocol, for the bridge's socket transport to talk
// to. It serves one connection and keeps every request it decoded.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "board/adapter_protocol.h"
#include "board/socket_framing.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {

// Answers one connection; the handler's nullopt drops it, raw bytes go out as they are, or
// one at a time with the pacer run before each.
using BoardHandler = std::function<std::optional<std::vector<uint8_t>>(const FramedRequest&)>;
using BoardPacer = std::function<void()>;

class BoardServer {
 public:
  explicit BoardServer(BoardHandler handler, const std::string& name = "board",
                       BoardPacer pacer = {})
      : handler_(std::move(handler)), pacer_(std::move(pacer)), path_((folder_ / name).string()) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    listening_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(listener_, 1) == 0;
    thread_ = std::thread([this] { Serve(); });
  }
  ~BoardServer() {
    // A test that stopped early may still hold its connection: cut it rather than wait.
    {
      std::lock_guard lock(mutex_);
      if (connection_ >= 0) ::shutdown(connection_, SHUT_RDWR);
    }
    Join();
    ::close(listener_);
  }
  BoardServer(const BoardServer&) = delete;
  BoardServer& operator=(const BoardServer&) = delete;

  bool Listening() const { return listening_; }
  const std::string& Path() const { return path_; }
  std::string Directory() const { return folder_.Path().string(); }
  // Waits for the client to hang up; requests is safe to read afterwards.
  void Join() {
    ::shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
  }
  std::vector<FramedRequest> requests;

 private:
  void Serve() {
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    {
      std::lock_guard lock(mutex_);
      connection_ = fd;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[256];
    for (;;) {
      FramedRequest request;
      std::size_t consumed = 0;
      const DecodeStatus status = DecodeRequest(bytes, request, consumed);
      if (status == DecodeStatus::kMalformed) break;
      if (status == DecodeStatus::kComplete) {
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(consumed));
        requests.push_back(request);
        const auto reply = handler_(request);
        if (!reply) break;
        if (!Send(fd, *reply)) break;
        continue;
      }
      const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
    std::lock_guard lock(mutex_);
    connection_ = -1;
    ::close(fd);
  }

  bool Send(int fd, const std::vector<uint8_t>& reply) const {
    if (!pacer_) return ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL) >= 0;
    for (const uint8_t byte : reply) {
      pacer_();
      if (::send(fd, &byte, 1, MSG_NOSIGNAL) < 0) return false;
    }
    return true;
  }

  BoardHandler handler_;
  BoardPacer pacer_;
  ScratchFolder folder_;
  std::string path_;
  int listener_ = -1;
  bool listening_ = false;
  std::mutex mutex_;
  int connection_ = -1;
  std::thread thread_;
};

// A board that accepts everything, answers reads with 0x5A.. and reports status `status`.
inline std::optional<std::vector<uint8_t>> HappyBoard(const FramedRequest& request,
                                                      uint8_t status) {
  const uint32_t phase = request.input.empty() ? 0 : request.input[0];
  const auto n = static_cast<uint32_t>(request.output.size());
  if (request.code == kControlBoardToHost) {
    std::vector<uint8_t> out(n);
    for (uint32_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(0x5A + i);
    if (phase == 3) out[0] = status;
    return EncodeReply({true, n}, out);
  }
  return EncodeReply({true, n}, {});
}

}  // namespace torvix::testing
