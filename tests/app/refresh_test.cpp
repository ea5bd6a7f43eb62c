// SPDX-License-Identifier: MIT
// A refresh after start-up, and the panel enabled or disabled as a whole.
#include <gtest/gtest.h>

#include <array>

#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

// Every control SetPanelEnabled touches; the rest stay usable whatever it does. Written out
// here, apart from app/refresh_panel.cpp's list, as the expectation that list is held to.
// clang-format off
constexpr std::array<int, 44> kPanel{
    IDC_MIRROR, IDC_VFLIP, IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, IDC_WHITE_BALANCE_MODE,
    IDC_BROWSE_DSP_REGS, IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT, IDC_COLOR_GAIN_SLIDER,
    IDC_COLOR_GAIN_EDIT, IDC_RED_GAIN_SLIDER, IDC_BLUE_GAIN_SLIDER, IDC_RED_GAIN_EDIT,
    IDC_BLUE_GAIN_EDIT, IDC_LLS_COLOR_SLIDER, IDC_LLS_AGC_START_SLIDER, IDC_LLS_EDGE_SLIDER,
    IDC_LLS_AGC_START_EDIT, IDC_LLS_COLOR_EDIT, IDC_LLS_EDGE_EDIT, IDC_LLS_MODE_ON,
    IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT, IDC_SHARPNESS_LEVEL_SLIDER,
    IDC_SHARPNESS_LEVEL_EDIT, IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT, IDC_PAL, IDC_NTSC,
    IDC_WDR_MODE, IDC_PUSH2WHITE, IDC_SHARPNESS_ON, IDC_BLC_SIZE, IDC_BLC_HORIZONTAL,
    IDC_BLC_VERTICAL, IDC_BLC_VIEW_ON, IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT,
    IDC_AGC_GAIN_MAX_ON, IDC_DN_MODE, IDC_ZOOM_FACTOR, IDC_SEARCH_ADDRESS, IDC_DN_LEVEL_SLIDER,
    IDC_DN_LEVEL_EDIT};
constexpr std::array<int, 9> kNeverTouched{
    1, 2, IDC_DEBUG_VALUE, IDC_FILE_PATH, IDC_BROWSE_EEPROM_DUMP, IDC_CONNECT, IDC_RESET,
    IDC_OSD_CONTROL_USAGE, IDC_CAMERA_ADDRESS};
// clang-format on

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
    ASSERT_FALSE(Control(IDC_RED_GAIN_EDIT).enabled);  // Auto white balance
    ASSERT_FALSE(Control(IDC_RED_GAIN_SLIDER).visible);
    dialog->SetPanelEnabled(true);
    for (int id : {IDC_RED_GAIN_EDIT, IDC_BLUE_GAIN_EDIT, IDC_AGC_GAIN_MAX_EDIT, IDC_DN_LEVEL_EDIT,
                   IDC_DN_LEVEL_SLIDER, IDC_PUSH2WHITE})
      EXPECT_TRUE(Control(id).enabled) << id;
    EXPECT_FALSE(Control(IDC_RED_GAIN_SLIDER).visible);
  });
}

TEST_F(RefreshTest, ARefreshAfterTheOsdDisabledThePanelChangesOnlyTheModeControls) {
  Rig().Camera().SetRegister(0x80, 0x01);
  Rig().Camera().SetRegister(0x02, 0x2b);  // AGC on
  RunOpen([&] {
    ASSERT_FALSE(Control(IDC_CONTRAST_SLIDER).enabled);
    Rig().Camera().SetRegister(0x80, 0x00);
    messages.shown.clear();
    dialog->RefreshPanel();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Control(IDC_OSD_CONTROL_USAGE).check, 0);
    for (int id : {IDC_AGC_GAIN_MAX_EDIT, IDC_PUSH2WHITE, IDC_DN_LEVEL_SLIDER, IDC_DN_LEVEL_EDIT})
      EXPECT_TRUE(Control(id).enabled) << id;
    for (int id : {IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, IDC_MIRROR, IDC_WHITE_BALANCE_MODE,
                   IDC_SEARCH_ADDRESS, IDC_RED_GAIN_EDIT})
      EXPECT_FALSE(Control(id).enabled) << id;
  });
}

TEST_F(RefreshTest, ARefreshAfterTheCameraWentAwayShowsTheLastReadValuesAndXX) {
  Rig().Camera().SetRegister(0x57, 0x44);
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    dialog->RefreshPanel();
    EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "XX");
    EXPECT_EQ(dialog->m_strCameraAddress, "XX");
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "44");  // the shadow keeps what was read before
    EXPECT_EQ(Control(IDC_CONTRAST_SLIDER).position, 0x44);
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
    EXPECT_EQ(Control(IDC_MIRROR).check, 1);
    EXPECT_EQ(Control(IDC_BLC_VIEW_ON).check, 1);
    EXPECT_EQ(Control(IDC_LLS_MODE_ON).check, 0);
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
