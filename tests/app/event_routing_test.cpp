// SPDX-License-Identifier: MIT
// What the user does on each control reaches the handler the table of events names for it.
#include <gtest/gtest.h>

#include <string>

#include "app/main_dialog_events.h"
#include "app/resource_ids.h"
#include "app/resources/dialog_templates.h"
#include "tests/support/scripted_hosts.h"

namespace torvix::testing {
namespace {

struct Route {
  int controlId;
  const char* handler;
};

class RoutingTest : public ::testing::Test, public WindowProcedure {
 protected:
  RoutingTest() : window(MainDialogTemplate(), messages) { window.SetProcedure(this); }
  int HandleWindowEvent(const WindowEvent& event) override {
    const EventEntry* entry = FindEventEntry(event);
    reached.push_back(entry != nullptr ? entry->handlerName : "(none)");
    return 0;
  }
  ScriptedMessageHost messages;
  DialogWindow window;
  std::vector<std::string> reached;
};

const Route kClicks[] = {
    {IDC_MIRROR, "OnBnClickedMirror"},
    {IDC_VFLIP, "OnBnClickedVflip"},
    {IDC_PAL, "OnBnClickedPal"},
    {IDC_NTSC, "OnBnClickedNtsc"},
    {IDC_PUSH2WHITE, "OnBnClickedPush2White"},
    {IDC_LLS_MODE_ON, "OnBnClickedLlsModeOn"},
    {IDC_SHARPNESS_ON, "OnBnClickedSharpnessOn"},
    {IDC_CONNECT, "OnBnClickedConnect"},
    {IDC_RESET, "OnBnClickedReset"},
    {IDC_BLC_VIEW_ON, "OnBnClickedBlcViewOn"},
    {IDC_AGC_GAIN_MAX_ON, "OnBnClickedAgcGainMaxOn"},
    {2, "OnBnClickedCancel"},
    {IDC_OSD_CONTROL_USAGE, "OnBnClickedOsdControlUsage"},
    {IDC_SEARCH_ADDRESS, "OnBnClickedSearchAddress"},
};

class ClickRoutingTest : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(ClickRoutingTest, ClickReachesItsHandler) {
  ASSERT_TRUE(window.UserClick(GetParam().controlId));
  EXPECT_EQ(reached, std::vector<std::string>{GetParam().handler});
}

INSTANTIATE_TEST_SUITE_P(Buttons, ClickRoutingTest, ::testing::ValuesIn(kClicks));

const Route kLists[] = {
    {IDC_WHITE_BALANCE_MODE, "OnCbnCloseupWhiteBalanceMode"},
    {IDC_WDR_MODE, "OnCbnCloseupWdrMode"},
    {IDC_BLC_SIZE, "OnCbnCloseupBlcSize"},
    {IDC_BLC_HORIZONTAL, "OnCbnCloseupBlcHorizontal"},
    {IDC_BLC_VERTICAL, "OnCbnCloseupBlcVertical"},
    {IDC_DN_MODE, "OnCbnCloseupDnMode"},
    {IDC_ZOOM_FACTOR, "OnCbnCloseupZoomFactor"},
};

class ListRoutingTest : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(ListRoutingTest, ClosingTheListReachesItsHandler) {
  window.UserOpenList(GetParam().controlId);
  window.UserChooseItem(GetParam().controlId, 0);
  EXPECT_EQ(reached, std::vector<std::string>{GetParam().handler});
}

INSTANTIATE_TEST_SUITE_P(Lists, ListRoutingTest, ::testing::ValuesIn(kLists));

class EditRoutingTest : public RoutingTest, public ::testing::WithParamInterface<int> {};

TEST_P(EditRoutingTest, TypingInAValueEditReachesValueEditChange) {
  window.UserType(GetParam(), "4");
  EXPECT_EQ(reached, std::vector<std::string>{"ValueEditChange"});
}

INSTANTIATE_TEST_SUITE_P(ValueEdits, EditRoutingTest,
                         ::testing::Values(IDC_CONTRAST_EDIT, IDC_AEX_REFERENCE_EDIT,
                                           IDC_COLOR_GAIN_EDIT, IDC_RED_GAIN_EDIT,
                                           IDC_BLUE_GAIN_EDIT, IDC_LLS_AGC_START_EDIT,
                                           IDC_LLS_COLOR_EDIT, IDC_LLS_EDGE_EDIT,
                                           IDC_ANALOG_OUTPUT_GAIN_EDIT, IDC_SHARPNESS_LEVEL_EDIT,
                                           IDC_BRIGHTNESS_EDIT, IDC_AGC_GAIN_MAX_EDIT,
                                           IDC_DN_LEVEL_EDIT));

TEST_F(RoutingTest, AddressEditAndSlidersAndWindowMessagesReachTheirHandlers) {
  window.UserType(IDC_CAMERA_ADDRESS, "7");
  window.UserSliderKey(IDC_SHARPNESS_LEVEL_SLIDER, kTbLineDown);
  window.UserSystemCommand(0x0010, 0);
  window.UserEnter();  // the focus is nowhere: the default button
  window.Paint();
  EXPECT_EQ(reached,
            (std::vector<std::string>{"OnEnChangeCameraAddress", "SliderRelease", "SliderRelease",
                                      "OnSysCommand", "OnBnClickedOk", "OnPaint"}));
}

TEST_F(RoutingTest, TheDebugEditsAndUnknownEventsHaveNoHandler) {
  window.SetWindowText(IDC_DEBUG_VALUE, "3c");
  window.SetWindowText(IDC_FILE_PATH, "path");
  WindowEvent doubleClick{WindowMessage::Command};
  doubleClick.controlId = IDC_MIRROR;
  doubleClick.code = 5;
  EXPECT_EQ(FindEventEntry(doubleClick), nullptr);
  EXPECT_EQ(reached, (std::vector<std::string>{"(none)", "(none)"}));
}

TEST(EventTableTest, NoEventTakenTwice) {
  const auto table = MainDialogEventTable();
  for (const EventEntry& entry : table) {
    WindowEvent event{entry.message};
    event.controlId = entry.controlId;
    event.code = entry.code;
    EXPECT_EQ(FindEventEntry(event), &entry) << entry.handlerName;
  }
}

}  // namespace
}  // namespace torvix::testing
