// SPDX-License-Identifier: MIT
#include "tests/camera/link_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;

class SettingsTransfer : public LinkFixture {
 protected:
  std::ptrdiff_t count(const std::string& entry) const {
    return std::count(log.begin(), log.end(), entry);
  }
};

constexpr const char* kNotRead =
    "Box(0x00): Camera settings not correctly read, default values displayed";

TEST_F(SettingsTransfer, ReadAllReadsEveryRowInOrderIntoTheShadow) {
  for (int row = 0; row < kSettingCount; ++row) bridge.QueueReply(static_cast<uint8_t>(0xA0 + row));
  CameraBlock& block = link.Block();
  EXPECT_EQ(link.ReadAllSettings(block), 0);
  for (int row = 0; row < kSettingCount; ++row) {
    EXPECT_EQ(block.SettingsShadow[row], 0xA0 + row) << "row " << row;
    const auto reg = kSettingsTable[static_cast<std::size_t>(row)].registerAddress;
    EXPECT_EQ(log[static_cast<std::size_t>(row) * 10 + 2],
              Printed("SendSub(%d,1,0x01,31 %02x,2,0)", row * 2, reg));
  }
  EXPECT_EQ(block.CameraBusAddress, 0x70);
  // Each row: request, 2 ms, read, 1 ms, then 2 ms before the next row.
  EXPECT_EQ(count("Pause(2)"), 2 * kSettingCount);
  EXPECT_EQ(count("Pause(1)"), kSettingCount);
  EXPECT_EQ(log.size(), 10u * kSettingCount);
  EXPECT_EQ(clock.Now(), Milliseconds(5 * kSettingCount));
}

TEST_F(SettingsTransfer, ReadAllStopsAtTheSixthRowKeepingLaterRows) {
  for (int row = 0; row < 5; ++row) bridge.QueueReply(static_cast<uint8_t>(0xA0 + row));
  bridge.FailTransfer(5 * 2 + 1, 15);  // the receive of row 5
  CameraBlock& block = link.Block();
  const CameraBlock before = block;
  EXPECT_EQ(link.ReadAllSettings(block), 1);
  for (int row = 0; row < 5; ++row) EXPECT_EQ(block.SettingsShadow[row], 0xA0 + row);
  for (int row = 5; row < kSettingCount; ++row) {
    EXPECT_EQ(block.SettingsShadow[row], before.SettingsShadow[row]) << "row " << row;
  }
  EXPECT_EQ(bridge.Transfers(), 12);
  EXPECT_THAT(std::vector<std::string>(log.end() - 5, log.end()),
              ElementsAre("IICClose(11)", "Box(0x00): error: device not present", "Pause(1)",
                          "Pause(2)", kNotRead));
}

TEST_F(SettingsTransfer, ReadAllWithoutBoardShowsEachMessageOnce) {
  bridge.FailInit();
  CameraBlock& block = link.Block();
  const CameraBlock before = block;
  EXPECT_EQ(link.ReadAllSettings(block), 1);
  EXPECT_EQ(count(kNoConnection), 1);
  EXPECT_EQ(count(kCheckBoard), 1);
  EXPECT_EQ(log.back(), kNotRead);
  EXPECT_EQ(bridge.Transfers(), 1);
  EXPECT_TRUE(std::equal(std::begin(before.SettingsShadow), std::end(before.SettingsShadow),
                         std::begin(block.SettingsShadow)));
}

TEST_F(SettingsTransfer, ReadSettingsWithARowThatDoesNotExistSendsNothing) {
  const SettingId ids[] = {Contrast, static_cast<SettingId>(kSettingCount)};
  EXPECT_EQ(link.ReadSettings(link.Block(), ids), 1);
  EXPECT_TRUE(log.empty());
}

TEST_F(SettingsTransfer, WriteSettingUpdatesTheShadowThenPauses) {
  EXPECT_EQ(link.WriteSetting(RedGain, 0x90), 0);
  EXPECT_EQ(link.Block().SettingsShadow[RedGain], 0x90);
  EXPECT_EQ(log[2], "SendSub(0,1,0x00,30 42,2,0)");
  EXPECT_EQ(log[7], "Send(1,90,0,1)");
  EXPECT_THAT(std::vector<std::string>(log.end() - 2, log.end()),
              ElementsAre("Pause(25)", "Pause(100)"));
  EXPECT_EQ(clock.Now(), Milliseconds(127));
}

TEST_F(SettingsTransfer, FailedWriteSettingKeepsTheShadowAndDoesNotPause) {
  bridge.FailTransfer(0, 15);
  EXPECT_EQ(link.WriteSetting(RedGain, 0x90), 1);
  EXPECT_EQ(link.Block().SettingsShadow[RedGain], 0x67);
  EXPECT_EQ(log.back(), "Box(0x00): error: device not present");
  EXPECT_EQ(clock.Now(), Milliseconds(0));
}

TEST_F(SettingsTransfer, FailedValueWriteKeepsTheShadow) {
  bridge.FailTransfer(1, 6);
  EXPECT_EQ(link.WriteSetting(VideoStandard, 0x00), 1);
  EXPECT_EQ(link.Block().SettingsShadow[VideoStandard], 0x01);
}

class WriteSettingBadRow : public LinkFixture, public ::testing::WithParamInterface<int> {};

TEST_P(WriteSettingBadRow, SendsNothingAndChangesNothing) {
  const CameraBlock before = link.Block();
  EXPECT_EQ(link.WriteSetting(GetParam(), 0x11), 1);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(0, std::memcmp(&before, &link.Block(), sizeof before));
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteSettingBadRow, ::testing::Values(29, 30, 255, -1, -29));

TEST(CameraBlockDefaults, HoldTheTableDefaultsAndAddress0x70) {
  const CameraBlock block = DefaultCameraBlock();
  for (const CameraSetting& row : kSettingsTable) {
    EXPECT_EQ(block.SettingsShadow[row.number], row.defaultValue);
  }
  EXPECT_EQ(block.CameraBusAddress, 0x70);
  // The address is the byte right after the shadow: the block is one 30-byte unit.
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&block)[29], 0x70);
}

}  // namespace
}  // namespace torvix::testing
