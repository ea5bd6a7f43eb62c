// SPDX-License-Identifier: MIT
// The bridge's own cost per one-byte Send: on a device that answers at once, and through the
// socket transport to a minimal board server in the same process.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"
#include "tests/support/board_server.h"

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

void BM_SendOneByteOverSocket(benchmark::State& state) {
  testing::BoardServer server([](const FramedRequest& r) { return testing::HappyBoard(r, 0); });
  if (!server.Listening()) {
    state.SkipWithError("cannot listen");
    return;
  }
  ::setenv("QUORLINK_DEVICE", server.Path().c_str(), 1);

  const int handle = IICInit(0x70, 20000, 1000);
  const uint8_t byte = 0x55;
  if (handle < 0) state.SkipWithError("cannot connect");
  for (auto _ : state) {
    if (handle < 0) break;
    benchmark::DoNotOptimize(Send(handle, &byte, 0, 1));
  }
  if (handle >= 0 && IICError(handle) != 0) state.SkipWithError("the transfer failed");
  IICClose(handle);
  server.Join();
  ::unsetenv("QUORLINK_DEVICE");
}
BENCHMARK(BM_SendOneByteOverSocket);

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
