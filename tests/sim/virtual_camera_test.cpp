// SPDX-License-Identifier: MIT
#include "sim/virtual_camera.h"

#include <gtest/gtest.h>

#include <vector>

#include "board/adapter_protocol.h"
#include "clock/virtual_clock.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using Bytes = std::vector<uint8_t>;

class VirtualCameraTest : public ::testing::Test {
 protected:
  uint8_t Write(Bytes bytes) { return camera_.Write(bytes); }
  uint8_t ReadOne(uint8_t& value) { return camera_.Read(std::span<uint8_t>(&value, 1)); }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  VirtualCamera camera_;
};

// Requests the camera does not know are refused and change nothing.
struct RefusedCase {
  const char* name;
  std::vector<Bytes> writes;
};

class RefusedRequest : public VirtualCameraTest,
                       public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedRequest, IsNotAcknowledgedAndChangesNothing) {
  const RegisterBank before = camera_.Bank();
  uint8_t last = kStatusDone;
  for (const Bytes& bytes : GetParam().writes) last = Write(bytes);
  EXPECT_EQ(last, kStatusDataNack);
  EXPECT_EQ(camera_.Bank(), before);
}

INSTANTIATE_TEST_SUITE_P(
    VirtualCamera, RefusedRequest,
    ::testing::Values(RefusedCase{"ValueWithoutRequest", {{0x40}}},
                      RefusedCase{"ValueAfterAReadRequest", {{0x01, 0x31, 0x57}, {0x40}}},
                      RefusedCase{"TwoByteWrite", {{0x00, 0x30}}},
                      RefusedCase{"FourByteWrite", {{0x00, 0x30, 0x57, 0x40}}},
                      RefusedCase{"WriteRequestToAnotherTarget", {{0x00, 0x31, 0x57}}},
                      RefusedCase{"DspPageEight", {{0x81, 0x08, 0x00}}},
                      RefusedCase{"EepromBlockFour", {{0x01, 0xA8, 0x00}}},
                      RefusedCase{"OddEepromTarget", {{0x01, 0xA1, 0x00}}},
                      RefusedCase{"UnknownSelect", {{0x41, 0x31, 0x00}}}),
    CaseName());

TEST_F(VirtualCameraTest, ReadGoesOnFromTheSelectedByteWithinItsPage) {
  Write({0x01, 0xA2, 0xFE});
  Bytes three(3);
  ASSERT_EQ(camera_.Read(three), kStatusDone);
  EXPECT_EQ(three,
            (Bytes{EepromPattern(256 + 0xFE), EepromPattern(256 + 0xFF), EepromPattern(256)}));
}

TEST_F(VirtualCameraTest, ReadWithNothingSelectedGivesFF) {
  uint8_t value = 0;
  EXPECT_EQ(ReadOne(value), kStatusDone);
  EXPECT_EQ(value, 0xFF);
}

TEST_F(VirtualCameraTest, LoadDefaultsOnlyOnValueOneAndStoresNothing) {
  camera_.SetRegister(0x42, 0x11);
  Write({0x00, 0x30, 0xF0});
  Write({0x02});
  EXPECT_FALSE(camera_.Busy());
  EXPECT_EQ(camera_.Register(0x42), 0x11);
  Write({0x00, 0x30, 0xF0});
  Write({0x01});
  EXPECT_TRUE(camera_.Busy());
  EXPECT_EQ(Write({}), kStatusAddressNack);
  clock_.Advance(Microseconds{1000000});
  EXPECT_FALSE(camera_.Busy());
  EXPECT_EQ(camera_.Bank(), FactoryBank());
}

TEST_F(VirtualCameraTest, PowerCycleEndsAReloadAndForgetsAHalfDoneWrite) {
  Write({0x00, 0x30, 0x57});
  camera_.PowerCycle();
  EXPECT_EQ(Write({0x40}), kStatusDataNack);
  Write({0x00, 0x30, 0xF0});
  Write({0x01});
  camera_.PowerCycle();
  EXPECT_FALSE(camera_.Busy());
}

TEST_F(VirtualCameraTest, OffCameraAcknowledgesNothing) {
  camera_.SetPowered(false);
  uint8_t value = 0;
  EXPECT_EQ(Write({}), kStatusAddressNack);
  EXPECT_EQ(ReadOne(value), kStatusAddressNack);
}

TEST_F(VirtualCameraTest, FactoryAddressIsItsOwnAddressRegister) {
  VirtualCamera camera(0x20);
  EXPECT_EQ(camera.Address7(), 0x10);
  EXPECT_EQ(camera.Register(kRegOwnAddress), 0x20);
  EXPECT_EQ(FactoryBank()[kRegOsdControl], 0x00);
  EXPECT_EQ(FactoryBank()[0x00], DspPattern(0, 0));
}

TEST_F(VirtualCameraTest, GenerationCountsEveryChange) {
  const uint64_t before = camera_.Generation();
  Write({0x01, 0x31, 0x57});
  uint8_t value = 0;
  ReadOne(value);
  EXPECT_EQ(camera_.Generation(), before);
  Write({0x00, 0x30, 0x57});
  Write({0x40});
  EXPECT_EQ(camera_.Generation(), before + 1);
  EXPECT_EQ(Write({0x41}), kStatusDataNack);  // one value per request
  EXPECT_EQ(camera_.Register(0x57), 0x40);
  EXPECT_EQ(camera_.Generation(), before + 1);
}

}  // namespace
}  // namespace torvix::testing
