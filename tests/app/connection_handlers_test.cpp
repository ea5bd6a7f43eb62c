// SPDX-License-Identifier: MIT
// Connect, RESET, "OSD control usage", the camera address edit and the address search on the
// virtual camera: what reaches the bus, what the user is told, and the pauses in between.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/resource_ids.h"
#include "sim/board_faults.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/shared_camera.h"

namespace torvix::testing {
namespace {

using Writes_ = std::vector<RegisterWrite>;

constexpr const char* kResetQuestion = "Are you sure to load the Default settings";
constexpr const char* kOsdMessage =
    "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power";
constexpr const char* kNoCamera = "No Camera detected";

// What stays usable while the camera is steered by its own menu.
constexpr int kConnectionControls[] = {IDC_CONNECT, IDC_RESET, IDC_OSD_CONTROL_USAGE,
                                       IDC_CAMERA_ADDRESS};
constexpr int kSomePanelControls[] = {IDC_MIRROR,         IDC_CONTRAST_SLIDER,
                                      IDC_CONTRAST_EDIT,  IDC_WHITE_BALANCE_MODE,
                                      IDC_LLS_MODE_ON,    IDC_PAL,
                                      IDC_PUSH2WHITE,     IDC_BLC_SIZE,
                                      IDC_SEARCH_ADDRESS, IDC_DN_LEVEL_EDIT};

using ConnectionTest = PanelFixture;

std::vector<Milliseconds> refreshPauses() {
  std::vector<Milliseconds> pauses;
  for (int row = 0; row < kSettingCount; ++row) {
    pauses.insert(pauses.end(), {Milliseconds(2), Milliseconds(1), Milliseconds(2)});
  }
  return pauses;
}

std::vector<Milliseconds> joined(std::vector<Milliseconds> first,
                                 const std::vector<Milliseconds>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

TEST_F(ConnectionTest, ConnectReadsTheCameraAgainAndWritesNothing) {
  RunOpen([&] {
    Rig().Camera().SetRegister(0x57, 0x44);
    ClearRecords();
    Click(IDC_CONNECT);
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "44");
    EXPECT_EQ(Shadow(16), 0x44);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(clock.Pauses(), refreshPauses());
  });
}

TEST_F(ConnectionTest, ResetAnsweredWithCancelSendsNothing) {
  RunOpen([&] {
    messages.answer = kAnswerCancel;
    ClearRecords();
    Click(IDC_RESET);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kResetQuestion);
    EXPECT_EQ(messages.shown[0].type, 0x31u);
    EXPECT_EQ(Rig().Log().Size(), 0u);
    EXPECT_TRUE(clock.Pauses().empty());
  });
}

TEST_F(ConnectionTest, ResetAnsweredWithOkLoadsTheCameraDefaultsAndShowsThem) {
  Rig().Camera().SetRegister(0x57, 0x44);
  Rig().Camera().SetRegister(0xa0, 0x00);
  RunOpen([&] {
    ASSERT_EQ(Control(IDC_CONTRAST_EDIT).text, "44");
    ClearRecords();
    Click(IDC_RESET);
    ASSERT_EQ(messages.shown.size(), 1u);  // the question only
    EXPECT_EQ(Writes(), (Writes_{{0xf0, 0x01}}));
    EXPECT_EQ(clock.Pauses(), joined(Ms({2, 25, 1500}), refreshPauses()));
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "3c");
    EXPECT_EQ(Control(IDC_PAL).check, 1);
    EXPECT_EQ(Shadow(16), 0x3c);
  });
}

TEST_F(ConnectionTest, ResetWithTheCameraAbsentReportsTheWriteAndDoesNotRefresh) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    Click(IDC_RESET);
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kResetQuestion);
    for (const ShownMessage& shown : messages.shown) {
      EXPECT_NE(shown.text, "Camera settings not correctly read, default values displayed");
    }
    ASSERT_EQ(Rig().Log().Size(), 1u);  // the refused request only
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
  });
}

TEST_F(ConnectionTest, OsdSetLocksThePanelAndClearedUnlocksItWhateverTheModes) {
  RunOpen([&] {
    ClearRecords();
    Click(IDC_OSD_CONTROL_USAGE);
    EXPECT_EQ(Writes(), (Writes_{{0x80, 0x01}}));
    EXPECT_EQ(Shadow(26), 0x01);
    EXPECT_EQ(dialog->m_checkOsdControl, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOsdMessage);
    EXPECT_EQ(messages.shown[0].type, 0u);
    for (int id : kSomePanelControls) EXPECT_FALSE(Control(id).enabled) << id;
    for (int id : kConnectionControls) EXPECT_TRUE(Control(id).enabled) << id;
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(1));

    ClearRecords();
    Click(IDC_OSD_CONTROL_USAGE);
    EXPECT_EQ(Writes(), (Writes_{{0x80, 0x00}}));
    EXPECT_TRUE(messages.shown.empty());
    for (int id : kSomePanelControls) EXPECT_TRUE(Control(id).enabled) << id;
    // Auto white balance: the gain edits are usable now, their sliders stay hidden.
    EXPECT_TRUE(Control(IDC_RED_GAIN_EDIT).enabled);
    EXPECT_TRUE(Control(IDC_BLUE_GAIN_EDIT).enabled);
    EXPECT_FALSE(Control(IDC_RED_GAIN_SLIDER).visible);
    EXPECT_FALSE(Control(IDC_BLUE_GAIN_SLIDER).visible);
  });
}

TEST_F(ConnectionTest, OsdMessageComesEvenWhenTheWriteFails) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    Click(IDC_OSD_CONTROL_USAGE);
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown.back().text, kOsdMessage);
    EXPECT_EQ(Shadow(26), 0x00);
    EXPECT_FALSE(Control(IDC_CONTRAST_SLIDER).enabled);
    EXPECT_EQ(Control(IDC_OSD_CONTROL_USAGE).check, 1);
  });
}

struct AddressCase {
  const char* name;
  const char* typed;  // typed over the whole text, one character at a time
  Writes_ writes;
  const char* shown;
};

void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.name; }

class AddressEditTest : public ConnectionTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(AddressEditTest, WritesTheCameraOwnAddressButKeepsTalkingToTheOldOne) {
  const AddressCase& c = GetParam();
  RunOpen([&] {
    ClearRecords();
    TypeOver(IDC_CAMERA_ADDRESS, c.typed);
    EXPECT_EQ(Writes(), c.writes);
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, c.shown);
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).textLimit, 2u);
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(static_cast<int>(c.writes.size())));
    EXPECT_EQ(BusAddress(), 0x70);
    for (const BusTransfer& transfer : Rig().Log().Entries()) EXPECT_EQ(transfer.address7, 0x38);
    if (!c.writes.empty()) {
      EXPECT_EQ(Shadow(10), c.writes.back().value);
      EXPECT_EQ(Rig().Camera().Register(0x31), c.writes.back().value);
    }
  });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddressEditTest,
    ::testing::Values(
        AddressCase{"OneDigitOnly", "7", {}, "7"},
        AddressCase{"TwoDigits", "72", {{0x31, 0x72}}, "72"},
        AddressCase{"OddAndZeroAccepted", "01", {{0x31, 0x01}}, "01"},
        AddressCase{"AboveFcClampedAndWrittenTwice", "ff", {{0x31, 0xfc}, {0x31, 0xfc}}, "fc"},
        AddressCase{"UpperCaseAboveFc", "FE", {{0x31, 0xfc}, {0x31, 0xfc}}, "fc"},
        AddressCase{"NotHex", "0g", {}, "0g"},
        AddressCase{"ThirdCharacterRefused", "713", {{0x31, 0x71}}, "71"}),
    CaseName());

TEST_F(ConnectionTest, SearchFindsTheCameraAtItsAddressOnThe57thProbe) {
  RunOpen([&] {
    ClearRecords();
    Click(IDC_SEARCH_ADDRESS);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(BusAddress(), 0x70);
    // 56 silent, unanswered selects, then the camera's select and read, then the refresh.
    const BusLog& log = Rig().Log();
    ASSERT_GE(log.Size(), 58u);
    for (std::size_t i = 0; i < 56; ++i) {
      EXPECT_EQ(log[i].address7, i);
      EXPECT_NE(log[i].status, 0);
    }
    EXPECT_EQ(log[56].address7, 0x38);
    EXPECT_EQ(log[56].bytes, (std::vector<uint8_t>{0x01, 0x30, 0x31}));
    EXPECT_EQ(log[57].direction, Direction::kRead);
    EXPECT_EQ(log.Between(0, 56), Milliseconds(0));  // a refused probe waits for nothing
    EXPECT_EQ(log.Between(56, 57), Milliseconds(2));
    EXPECT_EQ(clock.Pauses(), joined(Ms({2, 5}), refreshPauses()));
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
  });
}

TEST_F(ConnectionTest, SearchSettlesOnTheLowestDeviceThatAnswers) {
  Rig().AddDevice(0x20);
  RunOpen([&] {
    ClearRecords();
    Click(IDC_SEARCH_ADDRESS);
    EXPECT_EQ(BusAddress(), 0x20);
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "20");
    // The refresh read the other device, which answers 0xff everywhere, OSD register included.
    EXPECT_EQ(Shadow(16), 0xff);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOsdMessage);
    std::size_t probes = 0;
    for (const BusTransfer& transfer : Rig().Log().Entries()) {
      if (transfer.bytes == std::vector<uint8_t>{0x01, 0x30, 0x31}) ++probes;
      EXPECT_NE(transfer.address7, 0x38);
    }
    EXPECT_EQ(probes, 17u);
  });
}

TEST_F(ConnectionTest, SearchWithoutCameraProbesEveryAddressSilentlyAndSaysSo) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    Click(IDC_SEARCH_ADDRESS);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kNoCamera);
    EXPECT_EQ(messages.shown[0].type, 0u);
    const BusLog& log = Rig().Log();
    ASSERT_EQ(log.Size(), 127u);
    for (std::size_t i = 0; i < log.Size(); ++i) {
      EXPECT_EQ(log[i].address7, i);
      EXPECT_EQ(log[i].direction, Direction::kWrite);
    }
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "XX");
    EXPECT_EQ(BusAddress(), 0x70);
  });
}

// A missing board makes every probe fail silently: the search goes through all 127 candidates
// and ends with its one message, "No Camera detected".
TEST_F(ConnectionTest, SearchWithoutBoardProbesEveryAddressSilentlyAndFallsBackTo0x70) {
  Rig().AddDevice(0x20);
  RunOpen([&] {
    Click(IDC_SEARCH_ADDRESS);
    ASSERT_EQ(BusAddress(), 0x20);
    Click(IDC_OSD_CONTROL_USAGE);  // the device there reads 0xff: OSD set, panel locked; clearing
                                   // unlocks it
    Rig().Board().absent = true;
    ClearRecords();
    Click(IDC_SEARCH_ADDRESS);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kNoCamera);
    EXPECT_EQ(BusAddress(), 0x70);
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "XX");
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_TRUE(Writes().empty());
  });
}

TEST_F(ConnectionTest, SearchFindsTheCameraPastABoardThatStalledOnce) {
  RunOpen([&] {
    ClearRecords();
    // The first request fails as one past its reply deadline does: the driver, not an address.
    Rig().Board().request = RequestFault{DriverRequest::kHeader, false, 1};
    Click(IDC_SEARCH_ADDRESS);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(clock.Pauses(), joined(Ms({2, 5}), refreshPauses()));
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
    EXPECT_EQ(BusAddress(), 0x70);
  });
}

// The window on zembrel-sim's camera while another program keeps it: the first probe waits the
// lock's limit and the search ends in its words. It once passed every candidate by, 2 s each,
// and after about four minutes set "XX" and 0x70 beside a camera that was there all along.
TEST_F(ConnectionTest, SearchBesideAStoppedHolderSaysTheCameraIsBusyAndChangesNothing) {
  SharedCamera camera{ZEMBREL_SIM_PROGRAM};
  ASSERT_TRUE(camera.Started());
  RunOpen([&] {
    ASSERT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
    ASSERT_TRUE(camera.StopAHolder());
    ClearRecords();
    const Microseconds start = clock.Now();
    Click(IDC_SEARCH_ADDRESS);
    EXPECT_EQ(clock.Now() - start, Milliseconds{2000});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The camera is busy: another program has held its lock " +
                                          camera.LockFile() + " for more than 2 s");
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
    EXPECT_EQ(BusAddress(), 0x70);
  });
}

}  // namespace
}  // namespace torvix::testing
