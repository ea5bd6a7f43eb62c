// Two clients of one board, each with a device of its own, interleave the phases of one write
// each: A's header, B's header, A's data, B's data, A's status, B's status. A board that keeps
// one pending request for all its clients sends A's bytes under B's header; each write must
// reach its own address instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "board/adapter_protocol.h"
#include "bridge/src/adapter_device.h"

namespace torvix::testing {

// A writes to an acknowledging device at 8-bit 0x28 (7-bit 0x14), B a register request to the
// camera at 0x70 (7-bit 0x38); both have three bytes, so a mix-up is not refused for its length.
inline constexpr uint8_t kInterleavedDeviceA = 0x28;
inline const std::vector<uint8_t> kInterleavedBytesA{0xAA, 0xBB, 0xCC};
inline const std::vector<uint8_t> kInterleavedBytesB{0x00, 0x30, 0x57};

inline void InterleaveTwoWrites(AdapterDevice& a, AdapterDevice& b) {
  auto phase = [](Phase p) { return std::vector<uint8_t>{static_cast<uint8_t>(p), 0, 0, 0}; };
  std::vector<uint8_t> headerA{1, 0, 3, 0x14, 0, 0};
  std::vector<uint8_t> headerB{1, 0, 3, 0x38, 0, 0};
  std::vector<uint8_t> dataA = kInterleavedBytesA;
  std::vector<uint8_t> dataB = kInterleavedBytesB;
  EXPECT_TRUE(a.Control(kControlHostToBoard, phase(Phase::kHeader), headerA).ok);
  EXPECT_TRUE(b.Control(kControlHostToBoard, phase(Phase::kHeader), headerB).ok);
  EXPECT_TRUE(a.Control(kControlHostToBoard, phase(Phase::kWriteData), dataA).ok);
  EXPECT_TRUE(b.Control(kControlHostToBoard, phase(Phase::kWriteData), dataB).ok);
  uint8_t statusA = 0xEE;
  uint8_t statusB = 0xEE;
  EXPECT_TRUE(a.Control(kControlBoardToHost, phase(Phase::kStatus), {&statusA, 1}).ok);
  EXPECT_TRUE(b.Control(kControlBoardToHost, phase(Phase::kStatus), {&statusB, 1}).ok);
  EXPECT_EQ(statusA, kStatusDone);
  EXPECT_EQ(statusB, kStatusDone);
}

}  // namespace torvix::testing
