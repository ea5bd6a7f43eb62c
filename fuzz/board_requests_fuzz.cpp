// SPDX-License-Identifier: MIT
// The adapter board fed arbitrary sequences of driver requests: any control code, phase
// selector of any size, and header, payload and read buffers of any length, on a virtual bus
// with the camera and, now and then, bus faults. The board must answer every request within
// the buffers it was given and never claim more bytes than the request held.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "board/adapter_protocol.h"
#include "clock/clock.h"
#include "clock/virtual_clock.h"
#include "fuzz/fuzz_check.h"
#include "sim/sim_rig.h"

namespace {

using namespace torvix;

uint32_t PickCode(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return kControlHostToBoard;
    case 1: return kControlBoardToHost;
    case 2: return kControlVersion;
    default: return in.ConsumeIntegral<uint32_t>();
  }
}

std::vector<uint8_t> PickSelector(FuzzedDataProvider& in) {
  // Mostly a well-formed selector with a phase near the valid ones, sometimes any bytes.
  if (in.ConsumeBool()) {
    const auto phase = in.ConsumeIntegralInRange<uint32_t>(0, 5);
    return {static_cast<uint8_t>(phase), 0, 0, 0};
  }
  return in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 8));
}

void PickFaults(FuzzedDataProvider& in, SimRig& rig) {
  const uint8_t flags = in.ConsumeIntegral<uint8_t>();
  if (flags & 0x01) rig.Faults().forcedStatus = in.ConsumeIntegral<uint8_t>();
  if (flags & 0x02) rig.Faults().busyUntil = Milliseconds(in.ConsumeIntegralInRange<int>(0, 50));
  if (flags & 0x04) rig.SetCameraPresent(false);
  if (flags & 0x08) rig.AddDevice(in.ConsumeIntegral<uint8_t>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static VirtualClock clock;
  static SimRig rig;
  ScopedClock scoped(clock);
  clock.ClearPauses();
  rig.Reset();

  FuzzedDataProvider in(data, size);
  PickFaults(in, rig);
  for (int request = 0; request < 64 && in.remaining_bytes() > 0; ++request) {
    const uint32_t code = PickCode(in);
    const std::vector<uint8_t> selector = PickSelector(in);
    // Exactly the size asked for, so the sanitizer sees any byte touched beyond it.
    std::vector<uint8_t> output =
        in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 300));
    const ControlResult result = rig.Control(code, selector, output);
    if (result.ok) FUZZ_CHECK(result.transferred <= output.size());
    else FUZZ_CHECK(result.transferred == 0);
  }
  return 0;
}
