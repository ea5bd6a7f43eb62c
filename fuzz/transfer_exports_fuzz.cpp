// SPDX-License-Identifier: MIT
// The library's exports called in any order with arbitrary handles, lengths, types and
// sub-address sizes, on adapter devices that answer each request as the input says (fail,
// report any byte count, fill any bytes). Buffers are exactly as long as the call says, so the
// sanitizer sees any byte touched beyond them; data to send must come back untouched; every
// result must be one the library can give; every device opened must be closed at the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"
#include "bridge/src/bridge_table.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvix;

FuzzedDataProvider* gInput = nullptr;
int gOpen = 0;

// Answers from the fuzz input: fail, report the whole buffer or any count, fill any bytes.
class ScriptedDevice final : public AdapterDevice {
 public:
  ScriptedDevice() { ++gOpen; }
  ~ScriptedDevice() override { --gOpen; }
  ControlResult Control(uint32_t code, std::span<const uint8_t>,
                        std::span<uint8_t> output) override {
    FuzzedDataProvider& in = *gInput;
    if (in.remaining_bytes() == 0) return {true, static_cast<uint32_t>(output.size())};
    const uint8_t how = in.ConsumeIntegral<uint8_t>();
    if (code != kControlHostToBoard && (how & 0x04)) {
      const std::vector<uint8_t> fill = in.ConsumeBytes<uint8_t>(output.size());
      std::copy(fill.begin(), fill.end(), output.begin());
    }
    if (how & 0x01) return {false, 0};
    if (how & 0x02) return {true, in.ConsumeIntegral<uint32_t>()};
    return {true, static_cast<uint32_t>(output.size())};
  }
};

bool AnyCode(int16_t result) { return result >= -1 && result <= 255; }

// A handle near the valid range, mostly one of the first few slots.
int PickHandle(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeIntegral<int>();
    case 1: return in.ConsumeIntegralInRange<int>(-2, 101);
    default: return in.ConsumeIntegralInRange<int>(0, 3);
  }
}

// A length around 0..64 (sometimes far off); the buffer holds what the call claims, but never
// less than a length the library accepts.
struct Buffer {
  int length = 0;
  std::vector<uint8_t> bytes;
  bool null = false;
  uint8_t* data() { return null ? nullptr : bytes.data(); }
};

Buffer PickBuffer(FuzzedDataProvider& in) {
  Buffer buffer;
  buffer.length =
      in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-2, 66) : in.ConsumeIntegral<int>();
  buffer.null = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  const int held = std::clamp(buffer.length, 0, 64);
  buffer.bytes = in.ConsumeBytes<uint8_t>(static_cast<std::size_t>(held));
  buffer.bytes.resize(static_cast<std::size_t>(held), 0x5A);
  return buffer;
}

void CheckSent(int16_t result, Buffer& buffer, const std::vector<uint8_t>& before) {
  FUZZ_CHECK(AnyCode(result));
  FUZZ_CHECK(buffer.bytes == before);
}

void Call(FuzzedDataProvider& in) {
  const int handle = PickHandle(in);
  const int subSize = in.ConsumeIntegralInRange<int>(-1, 3);
  const int sub = in.ConsumeIntegral<int>();
  const int type = in.ConsumeIntegralInRange<int>(-1, 4);
  Buffer buffer = PickBuffer(in);
  const std::vector<uint8_t> before = buffer.bytes;
  switch (in.ConsumeIntegralInRange<int>(0, 15)) {
    case 0: FUZZ_CHECK(IICInit(in.ConsumeIntegral<int>(), 20000, 1000) >= -1); break;
    case 1: IICClose(handle); break;
    case 2: CheckSent(Send(handle, buffer.data(), type, buffer.length), buffer, before); break;
    case 3: FUZZ_CHECK(AnyCode(Receive(handle, buffer.data(), type, buffer.length))); break;
    case 4:
      CheckSent(SendSub(handle, subSize, sub, buffer.data(), buffer.length, type), buffer, before);
      break;
    case 5:
      FUZZ_CHECK(AnyCode(ReceiveSub(handle, subSize, sub, buffer.data(), buffer.length, type)));
      break;
    case 6:
      CheckSent(SendSubInterLeaved(handle, subSize, sub, buffer.data(), buffer.length), buffer,
                before);
      break;
    case 7:
      FUZZ_CHECK(
          AnyCode(ReceiveSubInterLeaved(handle, subSize, sub, buffer.data(), buffer.length)));
      break;
    case 8: {
      Buffer rx = PickBuffer(in);
      CheckSent(SendReceive(handle, buffer.data(), buffer.length, rx.data(), rx.length), buffer,
                before);
      break;
    }
    case 9: {
      uint8_t status = 0;
      FUZZ_CHECK(AnyCode(CheckI2CBus(handle, in.ConsumeBool() ? &status : nullptr)));
      break;
    }
    case 10: {
      uint16_t library[3] = {};
      uint16_t device[3] = {};
      FUZZ_CHECK(AnyCode(GetVersions(handle, library, device)));
      break;
    }
    case 11: {
      uint8_t count = 0;
      FUZZ_CHECK(AnyCode(BusScan(handle, &count)));
      break;
    }
    case 12: {
      uint8_t address = 0;
      FUZZ_CHECK(AnyCode(GetDeviceAddress(handle, sub, &address)));
      break;
    }
    case 13: FUZZ_CHECK(SetAddress(handle, sub) == 0); break;
    case 14: {
      char text[52];
      FUZZ_CHECK(ErrorString(handle, text) == text);
      FUZZ_CHECK(std::strlen(text) <= 51);
      FUZZ_CHECK(IICError(handle) == (LastErrorCode() > 0 ? 1 : 0));
      break;
    }
    default:
      WriteParPortData(handle, sub);
      ReadParPortStatus(handle);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool installed = [] {
    SetAdapterDeviceOpenerForTesting([]() -> std::unique_ptr<AdapterDevice> {
      // The input decides whether the adapter is there at all.
      if (gInput->remaining_bytes() > 0 && gInput->ConsumeIntegralInRange<int>(0, 15) == 0) {
        return nullptr;
      }
      return std::make_unique<ScriptedDevice>();
    });
    return true;
  }();
  (void)installed;

  FuzzedDataProvider in(data, size);
  gInput = &in;
  for (int call = 0; call < 32 && in.remaining_bytes() > 0; ++call) Call(in);
  WEP(0);
  FUZZ_CHECK(gOpen == 0);
  FUZZ_CHECK(OpenDeviceCount() == 0);
  SetLastErrorCode(0);
  gInput = nullptr;
  return 0;
}
