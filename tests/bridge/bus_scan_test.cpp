// SPDX-License-Identifier: MIT
// BusScan probes the bus for real and GetDeviceAddress reads what it found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "tests/bridge/bridge_fixture.h"

namespace torvix::testing {
namespace {

class BusScanTest : public BridgeTest {
 protected:
  // The board acknowledges the listed 7-bit addresses and reports the rest not acknowledged.
  void Present(const std::vector<uint8_t>& addresses7) {
    script_->responder = [addresses7](const std::vector<RecordedRequest>& requests) {
      const RecordedRequest& last = requests.back();
      if (last.phase != 3u) return Answer{};
      const auto header = std::find_if(requests.rbegin(), requests.rend(),
                                       [](const RecordedRequest& r) { return r.phase == 0u; });
      const uint8_t address7 = header->sent[kHeaderAddress7];
      const bool here =
          std::find(addresses7.begin(), addresses7.end(), address7) != addresses7.end();
      return Bytes({here ? kStatusDone : kStatusAddressNack}, 1);
    };
  }
};

TEST_F(BusScanTest, ListsTheAddressesThatAcknowledge) {
  const int handle = Open(0x42);
  Present({0x38, 0x50});
  SetLastErrorCode(20);
  uint8_t count = 0;
  ASSERT_EQ(BusScan(handle, &count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(LastErrorCode(), 20);

  // One one-byte read of each 8-bit address 0x00, 0x02 .. 0xFE.
  ASSERT_EQ(Requests().size(), 128u * 3);
  for (std::size_t i = 0; i < 128; ++i) {
    EXPECT_EQ(Requests()[3 * i].sent,
              (std::vector<uint8_t>{0x04, 0x00, 0x01, static_cast<uint8_t>(i), 0x00, 0x00}));
  }

  uint8_t address = 0;
  EXPECT_EQ(GetDeviceAddress(handle, 0, &address), 0);
  EXPECT_EQ(address, 0x70);
  EXPECT_EQ(GetDeviceAddress(handle, 1, &address), 0);
  EXPECT_EQ(address, 0xA0);
  EXPECT_EQ(GetDeviceAddress(handle, 256, &address), 0);  // only the low 8 bits count
  EXPECT_EQ(address, 0x70);
  address = 0x99;
  EXPECT_EQ(GetDeviceAddress(handle, 2, &address), 15);
  EXPECT_EQ(address, 0x99);
  EXPECT_EQ(LastErrorCode(), 20);

  // The bridge's own address is back in place.
  script_->requests.clear();
  uint8_t byte = 0;
  Receive(handle, &byte, 0, 1);
  EXPECT_EQ(Requests()[0].sent[kHeaderAddress7], 0x21);
}

TEST_F(BusScanTest, ARescanReplacesTheList) {
  const int handle = Open(0x42);
  Present({0x10, 0x11, 0x12});
  uint8_t count = 0;
  ASSERT_EQ(BusScan(handle, &count), 0);
  EXPECT_EQ(count, 3);
  Present({});
  ASSERT_EQ(BusScan(handle, &count), 0);
  EXPECT_EQ(count, 0);
  uint8_t address = 0;
  EXPECT_EQ(GetDeviceAddress(handle, 0, &address), 15);
}

TEST_F(BusScanTest, ADeadAdapterFindsNothing) {
  const int handle = Open(0x42);
  script_->responder = [](const std::vector<RecordedRequest>&) { return Fails(); };
  uint8_t count = 99;
  ASSERT_EQ(BusScan(handle, &count), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(LastErrorCode(), 0);
}

}  // namespace
}  // namespace torvix::testing
