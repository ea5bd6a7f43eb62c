// The bridge's own cost per one-byte Send: on a device that answers at once, and through the
// socket transport to a minimal board server in the same process.
#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "board/socket_framing.h"
#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"

namespace torvix {
namespace {

// Every request succeeds in full; the status byte reads 0.
class InstantDevice final : public AdapterDevice {
 public:
  ControlResult Control(uint32_t code, std::span<const uint8_t> /*input*/,
                        std::span<uint8_t> output) override {
    if (code != kControlHostToBoard && !output.empty()) output[0] = 0;
    return {true, static_cast<uint32_t>(output.size())};
  }
};

void BM_SendOneByteInProcess(benchmark::State& state) {
  SetAdapterDeviceOpenerForTesting([] { return std::make_unique<InstantDevice>(); });
  const int handle = IICInit(0x70, 20000, 1000);
  const uint8_t byte = 0x55;
  for (auto _ : state) benchmark::DoNotOptimize(Send(handle, &byte, 0, 1));
  if (IICError(handle) != 0) state.SkipWithError("the transfer failed");
  IICClose(handle);
  SetAdapterDeviceOpenerForTesting({});
}
BENCHMARK(BM_SendOneByteInProcess);

// Answers every request of one connection with success and zeroed output.
void ServeOneConnection(int listener) {
  const int fd = ::accept(listener, nullptr, nullptr);
  if (fd < 0) return;
  std::vector<uint8_t> bytes;
  uint8_t chunk[512];
  for (;;) {
    FramedRequest request;
    std::size_t consumed = 0;
    const DecodeStatus status = DecodeRequest(bytes, request, consumed);
    if (status == DecodeStatus::kMalformed) break;
    if (status == DecodeStatus::kComplete) {
      bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(consumed));
      const auto n = static_cast<uint32_t>(request.output.size());
      const std::vector<uint8_t> zeros(request.code == kControlHostToBoard ? 0 : n);
      const auto reply = EncodeReply({true, n}, zeros);
      if (::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL) < 0) break;
      continue;
    }
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  ::close(fd);
}

void BM_SendOneByteOverSocket(benchmark::State& state) {
  char pattern[] = "/tmp/quorlink-bench-XXXXXX";
  const std::string directory = ::mkdtemp(pattern);
  const std::string path = directory + "/board";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 1) != 0) {
    state.SkipWithError("cannot listen");
    return;
  }
  std::thread server(ServeOneConnection, listener);
  ::setenv("QUORLINK_DEVICE", path.c_str(), 1);

  const int handle = IICInit(0x70, 20000, 1000);
  const uint8_t byte = 0x55;
  if (handle < 0) state.SkipWithError("cannot connect");
  for (auto _ : state) {
    if (handle < 0) break;
    benchmark::DoNotOptimize(Send(handle, &byte, 0, 1));
  }
  if (handle >= 0 && IICError(handle) != 0) state.SkipWithError("the transfer failed");
  IICClose(handle);
  ::shutdown(listener, SHUT_RDWR);
  server.join();
  ::close(listener);
  ::unsetenv("QUORLINK_DEVICE");
  ::unlink(path.c_str());
  ::rmdir(directory.c_str());
}
BENCHMARK(BM_SendOneByteOverSocket);

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
