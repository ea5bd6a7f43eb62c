// SPDX-License-Identifier: MIT
// Two clients of one board, a device each, interleave the phases of a three-byte write each:
// A's header, B's header, A's data, B's data, then both statuses. A writes to a device that
// acknowledges at 7-bit 0x14, B a register request to the camera at 0x38. A board with one
// pending request for all its clients sends A's bytes under B's header.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "bridge/src/adapter_device.h"

namespace torvix::testing {

inline const std::vector<uint8_t> kBytesA{0xAA, 0xBB, 0xCC};
inline const std::vector<uint8_t> kBytesB{0x00, 0x30, 0x57};

inline void InterleaveTwoWrites(AdapterDevice& a, AdapterDevice& b) {
  auto phase = [](Phase p) { return std::vector<uint8_t>{static_cast<uint8_t>(p), 0, 0, 0}; };
  auto send = [&phase](AdapterDevice& device, Phase p, std::vector<uint8_t> bytes) {
    EXPECT_TRUE(device.Control(kControlHostToBoard, phase(p), bytes).ok);
  };
  send(a, Phase::kHeader, {1, 0, 3, 0x14, 0, 0});
  send(b, Phase::kHeader, {1, 0, 3, 0x38, 0, 0});
  send(a, Phase::kWriteData, kBytesA);
  send(b, Phase::kWriteData, kBytesB);
  for (AdapterDevice* device : {&a, &b}) {
    uint8_t status = 0xEE;
    EXPECT_TRUE(device->Control(kControlBoardToHost, phase(Phase::kStatus), {&status, 1}).ok);
    EXPECT_EQ(status, kStatusDone);
  }
}

}  // namespace torvix::testing
