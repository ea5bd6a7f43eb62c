// Start-up of the main dialog on the virtual camera: what the user sees with no camera, with a
// camera, and with values the controls cannot show.
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

constexpr const char* kOsdMessage =
    "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power";
constexpr const char* kNotReadMessage =
    "Camera settings not correctly read, default values displayed";

// The settings table's defaults as the slider/edit pairs show them.
constexpr PairShown kDefaultPairs[] = {
    {1004, 1005, 60, "3c"},  {1011, 1012, 24, "18"},  {1028, 1029, 2, "02"},
    {1008, 1010, 48, "30"},  {1013, 1015, 103, "67"}, {1014, 1016, 160, "a0"},
    {1018, 1020, 32, "20"},  {1017, 1021, 128, "80"}, {1019, 1022, 86, "56"},
    {1026, 1027, 20, "14"},  {1024, 1025, 124, "7c"}, {1051, 1052, 64, "40"},
    {1042, 1043, 128, "80"},
};

using StartupTest = AppFixture;

TEST_F(StartupTest, NoCameraShowsTheMessagesThenTableDefaultsWithTheOsdPanelDisabled) {
  Rig().SetCameraPresent(false);
  std::string contrastTextAtOsdMessage = "unset";
  messages.onShow = [&](const ShownMessage& message) {
    if (message.text == kOsdMessage) contrastTextAtOsdMessage = Control(1005).text;
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
  EXPECT_EQ(Control(1006).selection, 0);   // Auto mode
  EXPECT_EQ(Control(1032).selection, 3);   // WDR High
  EXPECT_EQ(Control(1038).selection, 15);  // 8H/8V
  EXPECT_EQ(Control(1039).selection, 0);
  EXPECT_EQ(Control(1040).selection, 0);
  EXPECT_EQ(Control(1045).selection, 2);  // SMART
  EXPECT_EQ(Control(1048).selection, 0);
  EXPECT_EQ(Control(1002).check, 0);
  EXPECT_EQ(Control(1003).check, 0);
  EXPECT_EQ(Control(1023).check, 1);
  EXPECT_EQ(Control(1034).check, 1);
  EXPECT_EQ(Control(1041).check, 0);
  EXPECT_EQ(Control(1044).check, 0);
  EXPECT_EQ(Control(1030).check, 1);
  EXPECT_EQ(Control(1031).check, 0);
  EXPECT_EQ(Control(1047).check, 1);
  EXPECT_FALSE(Control(1042).visible);  // AGC off
  EXPECT_FALSE(Control(1013).visible);  // not Manual mode
  EXPECT_FALSE(Control(1014).visible);

  EXPECT_EQ(Control(1049).text, "XX");
  EXPECT_FALSE(Control(1004).enabled);
  EXPECT_FALSE(Control(1050).enabled);
  for (int usable : {1036, 1037, 1047, 1049, 2}) EXPECT_TRUE(Control(usable).enabled) << usable;
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
  EXPECT_EQ(Control(1049).text, "XX");
  for (const PairShown& pair : kDefaultPairs) EXPECT_EQ(Control(pair.editId).text, pair.text);
  EXPECT_FALSE(dialog->Window().Ended());
  EXPECT_EQ(modal.runs, 1);
}

TEST_F(StartupTest, NoCameraDeliversOnlyTheAddressEditsChangeFromTheXXText) {
  Rig().SetCameraPresent(false);
  Start();
  const std::vector<WindowEvent> changes = EventsOf(WindowMessage::Command, kEnChange);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].controlId, 1049);
}

TEST_F(StartupTest, CameraWithOsdOffOpensAUsablePanelWithoutMessages) {
  ASSERT_EQ(Rig().Camera().Register(0x80), 0x00);
  Start();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Control(1049).text, "70");
  EXPECT_EQ(Control(1047).check, 0);
  EXPECT_TRUE(Control(1004).enabled);
  EXPECT_TRUE(Control(1050).enabled);
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
       EXPECT_EQ(In(d, 1004).position, 56);
       EXPECT_EQ(In(d, 1005).text, "20");
     }},
    {"BlcSizeWithNoListedCode", 0x15, 0x05,
     [](const CMyTorvix_ControllerDlg& d) { EXPECT_EQ(In(d, 1038).selection, kNoSelection); }},
    {"DayNightColor", 0x60, 0x01,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, 1045).selection, 1);
       EXPECT_EQ(In(d, 1045).items[1], "COLOR");
       EXPECT_FALSE(In(d, 1051).enabled);
       EXPECT_FALSE(In(d, 1052).enabled);
     }},
    {"WdrBeyondItsList", 0x07, 0x09,
     [](const CMyTorvix_ControllerDlg& d) { EXPECT_EQ(In(d, 1032).selection, kNoSelection); }},
    {"ManualWhiteBalance", 0x04, 0x79,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, 1006).selection, 1);
       EXPECT_TRUE(In(d, 1013).visible);
       EXPECT_TRUE(In(d, 1014).visible);
       EXPECT_TRUE(In(d, 1015).enabled);
       EXPECT_FALSE(In(d, 1033).enabled);
     }},
    {"PushToWhiteSet", 0x56, 0x02,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, 1006).selection, 2);
       EXPECT_FALSE(In(d, 1015).enabled);
       EXPECT_FALSE(In(d, 1033).enabled);
     }},
    {"PushToWhiteButton", 0x56, 0x01,
     [](const CMyTorvix_ControllerDlg& d) {
       ASSERT_EQ(In(d, 1006).selection, 2);
       EXPECT_EQ(In(d, 1006).items[2], "Push2White-set");
     }},
    {"NtscAndEdgeAboveHalf", 0xa0, 0x00,
     [](const CMyTorvix_ControllerDlg& d) {
       EXPECT_EQ(In(d, 1030).check, 0);
       EXPECT_EQ(In(d, 1031).check, 1);
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

INSTANTIATE_TEST_SUITE_P(Values, OddValueTest, ::testing::ValuesIn(kOddValues),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace torvix::testing
