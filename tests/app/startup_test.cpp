// SPDX-License-Identifier: MIT
// Start-up of the main dialog on the virtual camera: what the user sees with no camera, with a
// camera, and with values the controls cannot show.
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

constexpr const char* kOsdMessage =
    "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power";
constexpr const char* kNotReadMessage =
    "Camera settings not correctly read, default values displayed";

// The settings table's defaults as the slider/edit pairs show them.
constexpr PairShown kDefaultPairs[] = {
    {IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, 60, "3c"},
    {IDC_COLOR_GAIN_SLIDER, IDC_COLOR_GAIN_EDIT, 24, "18"},
    {IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT, 2, "02"},
    {IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT, 48, "30"},
    {IDC_RED_GAIN_SLIDER, IDC_RED_GAIN_EDIT, 103, "67"},
    {IDC_BLUE_GAIN_SLIDER, IDC_BLUE_GAIN_EDIT, 160, "a0"},
    {IDC_LLS_AGC_START_SLIDER, IDC_LLS_AGC_START_EDIT, 32, "20"},
    {IDC_LLS_COLOR_SLIDER, IDC_LLS_COLOR_EDIT, 128, "80"},
    {IDC_LLS_EDGE_SLIDER, IDC_LLS_EDGE_EDIT, 86, "56"},
    {IDC_SHARPNESS_LEVEL_SLIDER, IDC_SHARPNESS_LEVEL_EDIT, 20, "14"},
    {IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT, 124, "7c"},
    {IDC_DN_LEVEL_SLIDER, IDC_DN_LEVEL_EDIT, 64, "40"},
    {IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT, 128, "80"},
};

using StartupTest = AppFixture;

TEST_F(StartupTest, NoCameraShowsTheMessagesThenTableDefaultsWithTheOsdPanelDisabled) {
  Rig().SetCameraPresent(false);
  std::string contrastTextAtOsdMessage = "unset";
  messages.onShow = [&](const ShownMessage& message) {
    if (message.text == kOsdMessage) contrastTextAtOsdMessage = Control(IDC_CONTRAST_EDIT).text;
  };
  Start();

  ASSERT_GE(messages.shown.size(), 3u);
  const std::size_t count = messages.shown.size();
  // The bridge error box(es) come first, then the link's summary, then the OSD note.
  EXPECT_EQ(messages.shown[count - 2].text, kNotReadMessage);
  EXPECT_EQ(messages.shown[count - 1].text, kOsdMessage);
  EXPECT_EQ(messages.shown[count - 1].type, 0u);
  for (std::size_t i = 0; i + 2 < count; ++i) EXPECT_NE(messages.shown[i].text, kNotReadMessage);
  // The value edits take their texts only after the OSD message was closed.
  EXPECT_EQ(contrastTextAtOsdMessage, "");

  for (const PairShown& pair : kDefaultPairs) {
    SCOPED_TRACE(pair.editId);
    EXPECT_EQ(Control(pair.sliderId).position, pair.position);
    EXPECT_EQ(Control(pair.editId).text, pair.text);
  }
  EXPECT_EQ(Control(IDC_WHITE_BALANCE_MODE).selection, 0);  // Auto mode
  EXPECT_EQ(Control(IDC_WDR_MODE).selection, 3);            // WDR High
  EXPECT_EQ(Control(IDC_BLC_SIZE).selection, 15);           // 8H/8V
  EXPECT_EQ(Control(IDC_BLC_HORIZONTAL).selection, 0);
  EXPECT_EQ(Control(IDC_BLC_VERTICAL).selection, 0);
  EXPECT_EQ(Control(IDC_DN_MODE).selection, 2);  // SMART
  EXPECT_EQ(Control(IDC_ZOOM_FACTOR).selection, 0);
  EXPECT_EQ(Control(IDC_MIRROR).check, 0);
  EXPECT_EQ(Control(IDC_VFLIP).check, 0);
  EXPECT_EQ(Control(IDC_LLS_MODE_ON).check, 1);
  EXPECT_EQ(Control(IDC_SHARPNESS_ON).check, 1);
  EXPECT_EQ(Control(IDC_BLC_VIEW_ON).check, 0);
  EXPECT_EQ(Control(IDC_AGC_GAIN_MAX_ON).check, 0);
  EXPECT_EQ(Control(IDC_PAL).check, 1);
  EXPECT_EQ(Control(IDC_NTSC).check, 0);
  EXPECT_EQ(Control(IDC_OSD_CONTROL_USAGE).check, 1);
  EXPECT_FALSE(Control(IDC_AGC_GAIN_MAX_SLIDER).visible);  // AGC off
  EXPECT_FALSE(Control(IDC_RED_GAIN_SLIDER).visible);      // not Manual mode
  EXPECT_FALSE(Control(IDC_BLUE_GAIN_SLIDER).visible);

  EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "XX");
  EXPECT_FALSE(Control(IDC_CONTRAST_SLIDER).enabled);
  EXPECT_FALSE(Control(IDC_SEARCH_ADDRESS).enabled);
  for (int usable : {IDC_CONNECT, IDC_RESET, IDC_OSD_CONTROL_USAGE, IDC_CAMERA_ADDRESS, 2})
    EXPECT_TRUE(Control(usable).enabled) << usable;
  // The shadow holds the table's defaults and the address is 0x70.
  const CameraBlock& block = dialog->Link().Block();
  for (const CameraSetting& row : kSettingsTable) {
    EXPECT_EQ(block.SettingsShadow[row.number], row.defaultValue) << row.number;
  }
  EXPECT_EQ(block.CameraBusAddress, 0x70);
}

TEST_F(StartupTest, NoAdapterBoardOpensTheDialogOnTheDefaultsAllTheSame) {
  Rig().Board().absent = true;
  Start();
  ASSERT_GE(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[messages.shown.size() - 2].text, kNotReadMessage);
  EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "XX");
  for (const PairShown& pair : kDefaultPairs) EXPECT_EQ(Control(pair.editId).text, pair.text);
  EXPECT_FALSE(dialog->Window().Ended());
  EXPECT_EQ(modal.runs, 1);
}

TEST_F(StartupTest, NoCameraDeliversOnlyTheAddressEditsChangeFromTheXXText) {
  Rig().SetCameraPresent(false);
  Start();
  const std::vector<WindowEvent> changes = EventsOf(WindowMessage::Command, kEnChange);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].controlId, IDC_CAMERA_ADDRESS);
}

TEST_F(StartupTest, CameraWithOsdOffOpensAUsablePanelWithoutMessages) {
  ASSERT_EQ(Rig().Camera().Register(0x80), 0x00);
  Start();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).text, "70");
  EXPECT_EQ(Control(IDC_OSD_CONTROL_USAGE).check, 0);
  EXPECT_TRUE(Control(IDC_CONTRAST_SLIDER).enabled);
  EXPECT_TRUE(Control(IDC_SEARCH_ADDRESS).enabled);
  // The final push of the bound texts reaches no change handler.
  EXPECT_TRUE(EventsOf(WindowMessage::Command, kEnChange).empty());
  EXPECT_EQ(dialog->Window().Focus(), kIdCancel);
}

TEST_F(StartupTest, StartUpPausesFiftyMillisecondsBeforeTheFirstCameraAccess) {
  Start();
  ASSERT_FALSE(clock.Pauses().empty());
  EXPECT_EQ(clock.Pauses().front(), Milliseconds(50));
  ASSERT_FALSE(Rig().Log().Entries().empty());
  EXPECT_GE(Rig().Log().Entries().front().time, Microseconds(50000));
}

struct OddValue {
  const char* name;
  uint8_t reg;
  uint8_t value;
  void (*check)(const CMyTorvix_ControllerDlg&);
};

const ControlState& In(const CMyTorvix_ControllerDlg& dialog, int id) {
  return *dialog.Window().Find(id);
}

const OddValue kOddValues[] = {
    {"ContrastBelowItsRange", 0x57, 0x20,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_CONTRAST_SLIDER).position, 56);
       EXPECT_EQ(In(d, IDC_CONTRAST_EDIT).text, "20");
     }},
    {"BlcSizeWithNoListedCode", 0x15, 0x05,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_BLC_SIZE).selection, kNoSelection);
     }},
    {"DayNightColor", 0x60, 0x01,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_DN_MODE).selection, 1);
       EXPECT_EQ(In(d, IDC_DN_MODE).items[1], "COLOR");
       EXPECT_FALSE(In(d, IDC_DN_LEVEL_SLIDER).enabled);
       EXPECT_FALSE(In(d, IDC_DN_LEVEL_EDIT).enabled);
     }},
    {"WdrBeyondItsList", 0x07, 0x09,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_WDR_MODE).selection, kNoSelection);
     }},
    {"ManualWhiteBalance", 0x04, 0x79,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_WHITE_BALANCE_MODE).selection, 1);
       EXPECT_TRUE(In(d, IDC_RED_GAIN_SLIDER).visible);
       EXPECT_TRUE(In(d, IDC_BLUE_GAIN_SLIDER).visible);
       EXPECT_TRUE(In(d, IDC_RED_GAIN_EDIT).enabled);
       EXPECT_FALSE(In(d, IDC_PUSH2WHITE).enabled);
     }},
    {"PushToWhiteSet", 0x56, 0x02,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_WHITE_BALANCE_MODE).selection, 2);
       EXPECT_FALSE(In(d, IDC_RED_GAIN_EDIT).enabled);
       EXPECT_FALSE(In(d, IDC_PUSH2WHITE).enabled);
     }},
    {"PushToWhiteButton", 0x56, 0x01,
     [](const CMyTorvix_ControllerDlg& d) {
       ASSERT_EQ(In(d, IDC_WHITE_BALANCE_MODE).selection, 2);
       EXPECT_EQ(In(d, IDC_WHITE_BALANCE_MODE).items[2], "Push2White-set");
     }},
    {"NtscAndEdgeAboveHalf", 0xa0, 0x00,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, IDC_PAL).check, 0);
       EXPECT_EQ(In(d, IDC_NTSC).check, 1);
       EXPECT_EQ(d.m_checkNtsc, 1);
     }},
};

class OddValueTest : public AppFixture, public ::testing::WithParamInterface<OddValue> {};

TEST_P(OddValueTest, RefreshShowsWhatTheControlCanAndChangesNothingElse) {
  Rig().Camera().SetRegister(GetParam().reg, GetParam().value);
  Start();
  EXPECT_TRUE(messages.shown.empty());
  GetParam().check(*dialog);
}

INSTANTIATE_TEST_SUITE_P(Values, OddValueTest, ::testing::ValuesIn(kOddValues), CaseName());

}  // namespace
}  // namespace torvix::testing
