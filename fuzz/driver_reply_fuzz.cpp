// SPDX-License-Identifier: MIT
// A hostile driver on the far end of the socket transport: whatever bytes it sends back as the
// reply to one request. The library's socket device reads them through the framing codec; it
// must fail the request or fill at most the caller's buffer, never read or write past it.
//
// The driver is a listening socket in this process: each input opens a device (connect), the
// accepted end gets the reply written and its sending side shut, then the request runs. No
// thread is needed, since the request fits in the socket's buffer.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "board/adapter_protocol.h"
#include "board/socket_framing.h"
#include "bridge/socket/socket_device.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvix;

class HostileDriver {
 public:
  HostileDriver() {
    char name[] = "/tmp/torvix-fuzz-XXXXXX";
    path_ = std::string(::mkdtemp(name)) + "/zembrel-0";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path_.c_str());
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    FUZZ_CHECK(::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    FUZZ_CHECK(::listen(listenFd_, 4) == 0);
  }

  const std::string& Path() const { return path_; }

  // The driver's end of the connection that the device just made.
  int Accept() const { return ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC); }

 private:
  std::string path_;
  int listenFd_ = -1;
};

// The codec alone: a decoded reply re-encodes to exactly the bytes it consumed.
void CheckCodec(const std::vector<uint8_t>& bytes, std::size_t capacity) {
  FramedReply reply;
  std::size_t consumed = 0;
  if (DecodeReply(bytes, capacity, reply, consumed) != DecodeStatus::kComplete) return;
  FUZZ_CHECK(consumed <= bytes.size());
  FUZZ_CHECK(reply.output.size() <= capacity);
  const std::vector<uint8_t> again = EncodeReply(reply.result, reply.output);
  FUZZ_CHECK(again.size() == consumed);
  FUZZ_CHECK(std::memcmp(again.data(), bytes.data(), consumed) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static HostileDriver driver;
  FuzzedDataProvider in(data, size);
  const bool boardToHost = in.ConsumeBool();
  const auto capacity = in.ConsumeIntegralInRange<std::size_t>(0, 200);
  const std::vector<uint8_t> reply = in.ConsumeRemainingBytes<uint8_t>();
  CheckCodec(reply, capacity);

  auto device = OpenSocketAdapterDevice(driver.Path());
  FUZZ_CHECK(device != nullptr);
  const int peer = driver.Accept();
  FUZZ_CHECK(peer >= 0);
  std::size_t sent = 0;
  while (sent < reply.size()) {
    const ssize_t n = ::send(peer, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(peer, SHUT_WR);

  const uint8_t phase[4] = {boardToHost ? uint8_t{2} : uint8_t{0}, 0, 0, 0};
  std::vector<uint8_t> output(capacity, 0xA5);
  const std::vector<uint8_t> before = output;
  const ControlResult result =
      device->Control(boardToHost ? kControlBoardToHost : kControlHostToBoard, phase, output);
  // Only a reply that is exactly one well-formed frame counts; anything else fails the
  // request and leaves the caller's buffer as it was.
  FramedReply expected;
  std::size_t consumed = 0;
  const bool wellFormed =
      DecodeReply(reply, capacity, expected, consumed) == DecodeStatus::kComplete &&
      consumed == reply.size();
  if (wellFormed) {
    FUZZ_CHECK(result.ok == expected.result.ok);
    FUZZ_CHECK(result.transferred == expected.result.transferred);
    std::vector<uint8_t> filled = before;
    std::copy(expected.output.begin(), expected.output.end(), filled.begin());
    FUZZ_CHECK(output == filled);
  } else {
    FUZZ_CHECK(!result.ok && result.transferred == 0);
    FUZZ_CHECK(output == before);
  }
  // A second request on the same device: after a bad reply the connection is gone and the
  // request fails without touching the socket's remains.
  device->Control(kControlBoardToHost, phase, output);
  device.reset();
  ::close(peer);
  return 0;
}
