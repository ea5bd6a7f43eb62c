// SPDX-License-Identifier: MIT
// A hostile client of zembrel-sim: whatever bytes it sends on one connection. The daemon's
// own server runs in a thread on a virtual clock; each input is one connection that sends its
// bytes, closes its sending side and reads until the daemon hangs up.
//
// The daemon must answer each complete request before the first malformed one with exactly one
// well-formed reply sized for that request, send nothing else, and stay up for the next client.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "board/socket_framing.h"
#include "clock/clock.h"
#include "clock/virtual_clock.h"
#include "fuzz/fuzz_check.h"
#include "sim/daemon_server.h"
#include "sim/sim_rig.h"

namespace {

using namespace torvix;

// Started once and left running until the process exits; nothing here is ever destroyed, so
// the server thread never sees its rig or clock go away under it.
std::string StartDaemon() {
  static VirtualClock* clock = new VirtualClock;
  static ScopedClock* scoped = new ScopedClock(*clock);
  (void)scoped;
  char name[] = "/tmp/torvix-fuzz-XXXXXX";
  const std::string path = std::string(::mkdtemp(name)) + "/zembrel-0";
  static SimRig* rig = new SimRig;
  static DaemonServer* server = new DaemonServer(*rig, {});
  std::string error;
  if (!server->Listen(path, false, error)) {
    std::fprintf(stderr, "zembrel-sim server: %s\n", error.c_str());
    std::abort();
  }
  static int stop[2] = {-1, -1};
  FUZZ_CHECK(::pipe(stop) == 0);
  std::thread([] {
    std::string failure;
    if (!server->Run(stop[0], failure)) std::fprintf(stderr, "server: %s\n", failure.c_str());
  }).detach();
  return path;
}

int Connect(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  FUZZ_CHECK(fd >= 0);
  FUZZ_CHECK(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
  return fd;
}

// libFuzzer's timeout alarm has no SA_RESTART: a blocking send or recv of this thread can be
// cut off by it, which is no answer from the daemon and is tried again.
std::vector<uint8_t> Exchange(int fd, const std::vector<uint8_t>& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the daemon may hang up on a malformed request at once
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(fd, SHUT_WR);
  std::vector<uint8_t> received;
  uint8_t chunk[4096];
  for (;;) {
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    received.insert(received.end(), chunk, chunk + n);
  }
  return received;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string path = StartDaemon();
  const std::vector<uint8_t> bytes(data, data + size);

  // The requests the daemon can see whole, and whether the stream ended cleanly after them.
  std::vector<FramedRequest> requests;
  std::size_t offset = 0;
  DecodeStatus status = DecodeStatus::kComplete;
  while (offset < bytes.size()) {
    FramedRequest request;
    std::size_t consumed = 0;
    status = DecodeRequest(std::span(bytes).subspan(offset), request, consumed);
    if (status != DecodeStatus::kComplete) break;
    FUZZ_CHECK(consumed > 0 && consumed <= bytes.size() - offset);
    requests.push_back(std::move(request));
    offset += consumed;
  }

  const int fd = Connect(path);
  const std::vector<uint8_t> received = Exchange(fd, bytes);
  ::close(fd);

  std::size_t at = 0;
  std::size_t replies = 0;
  while (at < received.size()) {
    FUZZ_CHECK(replies < requests.size());
    FramedReply reply;
    std::size_t consumed = 0;
    FUZZ_CHECK(DecodeReply(std::span(received).subspan(at), requests[replies].output.size(), reply,
                           consumed) == DecodeStatus::kComplete);
    FUZZ_CHECK(reply.result.transferred <= requests[replies].output.size());
    at += consumed;
    ++replies;
  }
  // A clean stream of whole requests is answered in full.
  if (status == DecodeStatus::kComplete) FUZZ_CHECK(replies == requests.size());
  return 0;
}
