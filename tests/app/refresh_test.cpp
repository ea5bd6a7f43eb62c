// A refresh after start-up, and the panel enabled or disabled as a whole.
#include <gtest/gtest.h>

#include <array>

#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

// Every control SetPanelEnabled touches; the rest stay usable whatever it does.
constexpr std::array<int, 44> kPanel{
    1002, 1003, 1004, 1005, 1006, 1007, 1008, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017,
    1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032,
    1033, 1034, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1048, 1050, 1051, 1052};
constexpr std::array<int, 9> kNeverTouched{1, 2, 1001, 1009, 1035, 1036, 1037, 1047, 1049};

using RefreshTest = AppFixture;

TEST_F(RefreshTest, SetPanelEnabledTogglesExactlyThePanelAndNotTheConnectionControls) {
  RunOpen([&] {
    dialog->SetPanelEnabled(false);
    for (int id : kPanel) EXPECT_FALSE(Control(id).enabled) << id;
    for (int id : kNeverTouched) EXPECT_TRUE(Control(id).enabled) << id;
    for (int id : kNeverTouched) dialog->Window().EnableWindow(id, false);
    dialog->SetPanelEnabled(true);
    for (int id : kPanel) EXPECT_TRUE(Control(id).enabled) << id;
    for (int id : kNeverTouched) EXPECT_FALSE(Control(id).enabled) << id;
  });
}

TEST_F(RefreshTest, EnablingThePanelIgnoresTheModesAndLeavesShownStatesAlone) {
  RunOpen([&] {
    ASSERT_FALSE(Control(1015).enabled);  // Auto white balance
    ASSERT_FALSE(Control(1013).visible);
    dialog->SetPanelEnabled(true);
    for (int id : {1015, 1016, 1043, 1052, 1051, 1033}) EXPECT_TRUE(Control(id).enabled) << id;
    EXPECT_FALSE(Control(1013).visible);
  });
}

TEST_F(RefreshTest, ARefreshAfterTheOsdDisabledThePanelChangesOnlyTheModeControls) {
  Rig().Camera().SetRegister(0x80, 0x01);
  Rig().Camera().SetRegister(0x02, 0x2b);  // AGC on
  RunOpen([&] {
    ASSERT_FALSE(Control(1004).enabled);
    Rig().Camera().SetRegister(0x80, 0x00);
    messages.shown.clear();
    dialog->RefreshPanel();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Control(1047).check, 0);
    for (int id : {1043, 1033, 1051, 1052}) EXPECT_TRUE(Control(id).enabled) << id;
    for (int id : {1004, 1005, 1002, 1006, 1050, 1015}) EXPECT_FALSE(Control(id).enabled) << id;
  });
}

TEST_F(RefreshTest, ARefreshAfterTheCameraWentAwayShowsTheLastReadValuesAndXX) {
  Rig().Camera().SetRegister(0x57, 0x44);
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    dialog->RefreshPanel();
    EXPECT_EQ(Control(1049).text, "XX");
    EXPECT_EQ(dialog->m_strCameraAddress, "XX");
    EXPECT_EQ(Control(1005).text, "44");  // the shadow keeps what was read before
    EXPECT_EQ(Control(1004).position, 0x44);
  });
}

TEST_F(RefreshTest, RemembersTheCheckStatesItSetSoTheFinalPushKeepsThem) {
  Rig().Camera().SetRegister(0x55, 0x01);  // mirror only
  Rig().Camera().SetRegister(0x13, 0xb0);  // BLC view on
  Rig().Camera().SetRegister(0x70, 0x00);  // LLS off
  RunOpen([&] {
    EXPECT_EQ(dialog->m_checkMirror, 1);
    EXPECT_EQ(dialog->m_checkVflip, 0);
    EXPECT_EQ(dialog->m_checkBlcView, 1);
    EXPECT_EQ(dialog->m_checkLlsMode, 0);
    EXPECT_EQ(dialog->m_checkPal, 1);
    EXPECT_EQ(Control(1002).check, 1);
    EXPECT_EQ(Control(1041).check, 1);
    EXPECT_EQ(Control(1023).check, 0);
  });
}

TEST_F(RefreshTest, ReadsEveryRowOnceAndTakesNoPauseBeyondTheLinksOwn) {
  Start();
  // 50 ms at start, then per row: 2 ms after the request, 1 ms after the read, 2 ms after it.
  std::vector<Milliseconds> expected{Milliseconds(50)};
  for (int row = 0; row < kSettingCount; ++row) {
    expected.insert(expected.end(), {Milliseconds(2), Milliseconds(1), Milliseconds(2)});
  }
  EXPECT_EQ(clock.Pauses(), expected);
}

TEST_F(RefreshTest, AboutBoxClosesWithEscAndTheCloseBoxToo) {
  whileOpen = [](DialogWindow& window) {
    window.UserSystemCommand(IDM_ABOUTBOX, 0);
    window.UserSystemCommand(IDM_ABOUTBOX, 0);
  };
  modal.steps.push_back([](DialogWindow& about) {
    about.UserEscape();
    EXPECT_TRUE(about.Ended());
  });
  modal.steps.push_back([](DialogWindow& about) {
    about.UserCloseBox();
    EXPECT_TRUE(about.Ended());
  });
  Start();
  EXPECT_EQ(modal.runs, 3);
  EXPECT_FALSE(dialog->Window().Ended());
  EXPECT_TRUE(dialog->Window().IsWindowEnabled());
}

}  // namespace
}  // namespace torvix::testing
