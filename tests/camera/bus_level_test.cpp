// SPDX-License-Identifier: MIT
// The camera link on the real bridge library and the in-process virtual camera: the bytes on
// the bus, the time between them, and what the shadow holds afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "camera/camera_lock.h"
#include "clock/virtual_clock.h"
#include "tests/support/camera_on_sim.h"
#include "tests/support/hooked_clock.h"
#include "tests/support/pauses.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;

constexpr uint8_t kCamera7 = 0x38;

class CameraOnBus : public ::testing::Test, protected CameraOnSim {
 protected:
  const BusTransfer& transfer(std::size_t i) { return rig().Log()[i]; }
  Microseconds gap(std::size_t first, std::size_t second) {
    return rig().Log().Between(first, second);
  }

  VirtualClock clock;
  ScopedClock useClock{clock};
};

// A second link writes while the first waits between its request and its value. Unlocked, it
// selected 0x54 in between, and the first value landed there while its link was told 0.
TEST_F(CameraOnBus, ASecondLinkWaitsOutARegisterAccessAndGivesUpInWordsAfter2s) {
  HookedClock interrupted;
  ScopedClock useInterrupted{interrupted};
  CameraLink second{bridge, messages};
  const uint8_t brightness = rig().Camera().Register(0x54);
  interrupted.hookAt = 1;
  interrupted.hook = [&] { EXPECT_EQ(second.WriteRegister(0x54, 0x11), 1); };
  EXPECT_EQ(link.WriteRegister(0x57, 0x40), 0);
  EXPECT_EQ(interrupted.Now(), Milliseconds{2000 + 2 + 25});
  EXPECT_EQ(rig().Camera().Register(0x57), 0x40);
  EXPECT_EQ(rig().Camera().Register(0x54), brightness);
  EXPECT_THAT(boxes, ElementsAre("Box(0x00): " + CameraBusyMessage("it")));
  EXPECT_EQ(second.WriteRegister(0x54, 0x11), 0);
}

TEST_F(CameraOnBus, WriteRegisterPutsRequestThenValueOnTheBus2msApart) {
  ASSERT_EQ(link.WriteRegister(0x55, 0x03), 0);
  ASSERT_EQ(rig().Log().Size(), 2u);
  EXPECT_EQ(transfer(0).address7, kCamera7);
  EXPECT_EQ(transfer(0).direction, Direction::kWrite);
  EXPECT_THAT(transfer(0).bytes, ElementsAre(0x00, 0x30, 0x55));
  EXPECT_THAT(transfer(1).bytes, ElementsAre(0x03));
  EXPECT_EQ(transfer(1).status, 0);
  EXPECT_EQ(gap(0, 1), Milliseconds(2));
  EXPECT_EQ(clock.Pauses(), Ms({2, 25}));
  EXPECT_EQ(rig().Camera().Register(0x55), 0x03);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CameraOnBus, ReadRegisterRequestsThenReadsOneByteFromTheReadAddress) {
  rig().Camera().SetRegister(0x57, 0x4a);
  uint8_t out = 0;
  ASSERT_EQ(link.ReadRegister(0x01, 0x31, 0x57, link.Block(), &out), 0);
  EXPECT_EQ(out, 0x4a);
  ASSERT_EQ(rig().Log().Size(), 2u);
  EXPECT_THAT(transfer(0).bytes, ElementsAre(0x01, 0x31, 0x57));
  EXPECT_EQ(transfer(1).address7, kCamera7);
  EXPECT_EQ(transfer(1).direction, Direction::kRead);
  EXPECT_THAT(transfer(1).bytes, ElementsAre(0x4a));
  EXPECT_EQ(gap(0, 1), Milliseconds(2));
  EXPECT_EQ(clock.Pauses(), Ms({2, 1}));
}

TEST_F(CameraOnBus, ReadAllSettingsFillsTheShadowRowByRow5msApart) {
  for (const CameraSetting& row : kSettingsTable) {
    rig().Camera().SetRegister(row.registerAddress, static_cast<uint8_t>(0x90 + row.number));
  }
  CameraBlock& block = link.Block();
  ASSERT_EQ(link.ReadAllSettings(block), 0);
  for (int row = 0; row < kSettingCount; ++row) EXPECT_EQ(block.SettingsShadow[row], 0x90 + row);
  ASSERT_EQ(rig().Log().Size(), 2u * kSettingCount);
  for (std::size_t row = 0; row < kSettingCount; ++row) {
    EXPECT_THAT(transfer(2 * row).bytes,
                ElementsAre(0x01, 0x31, kSettingsTable[row].registerAddress));
    if (row > 0) {
      EXPECT_EQ(gap(2 * row - 2, 2 * row), Milliseconds(5)) << "row " << row;
    }
  }
  EXPECT_EQ(clock.Now(), Milliseconds(5 * kSettingCount));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CameraOnBus, ReadAllSettingsStopsAtAFailureOnRow5KeepingLaterRows) {
  for (const CameraSetting& row : kSettingsTable) {
    rig().Camera().SetRegister(row.registerAddress, static_cast<uint8_t>(0x90 + row.number));
  }
  // The camera stops acknowledging data after rows 0..4 (two transfers each).
  int transfers = 0;
  rig().Log().SetSink([&](const BusTransfer&) {
    if (++transfers == 10) rig().Faults().forcedStatus = kStatusDataNack;
  });
  CameraBlock& block = link.Block();
  const CameraBlock before = block;
  EXPECT_EQ(link.ReadAllSettings(block), 1);
  for (int row = 0; row < 5; ++row) EXPECT_EQ(block.SettingsShadow[row], 0x90 + row);
  for (int row = 5; row < kSettingCount; ++row) {
    EXPECT_EQ(block.SettingsShadow[row], before.SettingsShadow[row]) << "row " << row;
  }
  EXPECT_EQ(rig().Log().Size(), 11u);  // row 5's request failed; nothing was read after it
  EXPECT_THAT(boxes, ElementsAre("Box(0x00): not a correct acknowledge recieved",
                                 "Box(0x00): Camera settings not correctly read, default "
                                 "values displayed"));
}

TEST_F(CameraOnBus, WriteSettingUpdatesShadowAndCameraThenWaits127ms) {
  ASSERT_EQ(link.WriteSetting(RedGain, 0x90), 0);
  EXPECT_EQ(link.Block().SettingsShadow[RedGain], 0x90);
  EXPECT_EQ(rig().Camera().Register(0x42), 0x90);
  EXPECT_EQ(clock.Pauses(), Ms({2, 25, 100}));
}

TEST_F(CameraOnBus, WriteSettingToAMissingCameraKeepsTheShadow) {
  rig().SetCameraPresent(false);
  const CameraBlock before = link.Block();
  EXPECT_EQ(link.WriteSetting(RedGain, 0x90), 1);
  EXPECT_EQ(0, std::memcmp(&before, &link.Block(), sizeof before));
  for (const BusTransfer& t : rig().Log().Entries()) {
    EXPECT_THAT(t.bytes, ElementsAre(0x00, 0x30, 0x42)) << "the value must not follow";
  }
  EXPECT_THAT(boxes, ElementsAre("Box(0x00): error: USB_I2C_NACK",
                                 "Box(0x00): Is board connected to camera (on?)"));
}

TEST_F(CameraOnBus, WriteSettingWhoseValueIsRefusedKeepsTheShadow) {
  rig().Log().SetSink([&](const BusTransfer&) { rig().Faults().forcedStatus = kStatusDataNack; });
  EXPECT_EQ(link.WriteSetting(VideoStandard, 0x00), 1);
  EXPECT_EQ(link.Block().SettingsShadow[VideoStandard], 0x01);
  EXPECT_EQ(rig().Camera().Register(0xa0), 0x01);
}

TEST_F(CameraOnBus, MissingBoardReportsTheConnectionOnceAndReadsNothing) {
  rig().Board().absent = true;
  CameraBlock& block = link.Block();
  EXPECT_EQ(link.ReadAllSettings(block), 1);
  EXPECT_EQ(rig().Log().Size(), 0u);
  EXPECT_THAT(boxes,
              ElementsAre("Box(0x00):  error: no (correct)connection PC to USB-I2C board",
                          "Box(0x00):  Check if board is connected to PC and/or verify driver",
                          "Box(0x00): Camera settings not correctly read, default values "
                          "displayed"));
}

}  // namespace
}  // namespace torvix::testing
