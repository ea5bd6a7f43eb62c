// SPDX-License-Identifier: MIT
// The program started the way main starts it, on a virtual camera that holds values other
// than the defaults: every control shows what the camera holds.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

struct RegisterValue {
  uint8_t reg;
  uint8_t value;
};

constexpr RegisterValue kCameraValues[] = {
    {0x02, 0x2b}, {0x1d, 0x41}, {0x04, 0x79}, {0x42, 0x11}, {0x43, 0x22}, {0x06, 0x50},
    {0x07, 0x01}, {0x13, 0x80}, {0x14, 0x1d}, {0x15, 0x19}, {0x53, 0x2a}, {0x54, 0xc8},
    {0x55, 0x03}, {0x56, 0x00}, {0x57, 0x44}, {0x60, 0x02}, {0x63, 0x33}, {0x6a, 0x03},
    {0x70, 0x00}, {0x71, 0x90}, {0x72, 0xd0}, {0x73, 0xee}, {0x7b, 0x01}, {0x7c, 0x30},
    {0x80, 0x00}, {0x8b, 0xe0}, {0xa0, 0x00},
};

constexpr PairShown kPairs[] = {
    {IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, 68, "44"},
    {IDC_COLOR_GAIN_SLIDER, IDC_COLOR_GAIN_EDIT, 42, "2a"},
    {IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT, 200, "c8"},
    {IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT, 80, "50"},
    {IDC_RED_GAIN_SLIDER, IDC_RED_GAIN_EDIT, 17, "11"},
    {IDC_BLUE_GAIN_SLIDER, IDC_BLUE_GAIN_EDIT, 34, "22"},
    {IDC_LLS_AGC_START_SLIDER, IDC_LLS_AGC_START_EDIT, 208, "d0"},
    {IDC_LLS_COLOR_SLIDER, IDC_LLS_COLOR_EDIT, 144, "90"},
    {IDC_LLS_EDGE_SLIDER, IDC_LLS_EDGE_EDIT, 238, "ee"},
    {IDC_SHARPNESS_LEVEL_SLIDER, IDC_SHARPNESS_LEVEL_EDIT, 48, "30"},
    {IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT, 224, "e0"},
    {IDC_DN_LEVEL_SLIDER, IDC_DN_LEVEL_EDIT, 51, "33"},
    {IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT, 65, "41"},
};

struct Selected {
  int listId;
  int selection;
};

constexpr Selected kLists[] = {{IDC_WHITE_BALANCE_MODE, 1}, {IDC_WDR_MODE, 1},
                               {IDC_BLC_SIZE, 9},           {IDC_BLC_HORIZONTAL, 3},
                               {IDC_BLC_VERTICAL, 5},       {IDC_DN_MODE, 2},
                               {IDC_ZOOM_FACTOR, 3}};

struct Checked {
  int buttonId;
  int check;
};

constexpr Checked kChecks[] = {{IDC_MIRROR, 1},
                               {IDC_VFLIP, 1},
                               {IDC_LLS_MODE_ON, 0},
                               {IDC_SHARPNESS_ON, 0},
                               {IDC_BLC_VIEW_ON, 1},
                               {IDC_AGC_GAIN_MAX_ON, 1},
                               {IDC_OSD_CONTROL_USAGE, 0},
                               {IDC_PAL, 0},
                               {IDC_NTSC, 1}};

using ProgramTest = AppFixture;

TEST_F(ProgramTest, StartsOnTheVirtualCameraWithEveryControlSetFromTheCamera) {
  for (const RegisterValue& value : kCameraValues) {
    Rig().Camera().SetRegister(value.reg, value.value);
  }
  bool sawDialog = false;
  modal.steps.push_back([&](DialogWindow& window) {
    sawDialog = true;
    ASSERT_NE(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(&theApp.m_pMainWnd->Window(), &window);
    for (const PairShown& pair : kPairs) {
      SCOPED_TRACE(pair.editId);
      EXPECT_EQ(window.Find(pair.sliderId)->position, pair.position);
      EXPECT_EQ(window.Find(pair.editId)->text, pair.text);
      EXPECT_TRUE(window.Find(pair.sliderId)->visible);
      EXPECT_TRUE(window.Find(pair.sliderId)->enabled);
      EXPECT_TRUE(window.Find(pair.editId)->enabled);
    }
    for (const Selected& list : kLists) {
      EXPECT_EQ(window.Find(list.listId)->selection, list.selection) << list.listId;
    }
    for (const Checked& button : kChecks) {
      EXPECT_EQ(window.Find(button.buttonId)->check, button.check) << button.buttonId;
    }
    EXPECT_EQ(window.Find(IDC_CAMERA_ADDRESS)->text, "70");
    EXPECT_FALSE(window.Find(IDC_PUSH2WHITE)->enabled);  // Manual mode: no Push2White
    window.UserEscape();
  });

  EXPECT_EQ(RunTorvixController(bridge, messages, modal), 0);

  EXPECT_TRUE(sawDialog);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(theApp.LastModalResult(), kIdCancel);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  EXPECT_EQ(theApp.RegistryKey(), "Local AppWizard-Generated Applications");
  EXPECT_STREQ(theApp.m_pszAppName, "Torvix_Controller");
}

TEST_F(ProgramTest, AHostThatLetsGoOfTheOpenDialogEndsTheProgramAllTheSame) {
  EXPECT_EQ(RunTorvixController(bridge, messages, modal), 0);
  EXPECT_EQ(modal.runs, 1);
  EXPECT_EQ(theApp.LastModalResult(), kModalFailed);
}

}  // namespace
}  // namespace torvix::testing
