// What the user does on each control reaches the handler the table of events names for it.
#include <gtest/gtest.h>

#include <string>

#include "app/main_dialog_events.h"
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
    {1002, "OnBnClickedMirror"},        {1003, "OnBnClickedVflip"},
    {1030, "OnBnClickedPal"},           {1031, "OnBnClickedNtsc"},
    {1033, "OnBnClickedPush2White"},    {1023, "OnBnClickedLlsModeOn"},
    {1034, "OnBnClickedSharpnessOn"},   {1036, "OnBnClickedConnect"},
    {1037, "OnBnClickedReset"},         {1041, "OnBnClickedBlcViewOn"},
    {1044, "OnBnClickedAgcGainMaxOn"},  {2, "OnBnClickedCancel"},
    {1047, "OnBnClickedOsdControlUsage"}, {1050, "OnBnClickedSearchAddress"},
};

class ClickRoutingTest : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(ClickRoutingTest, ClickReachesItsHandler) {
  ASSERT_TRUE(window.UserClick(GetParam().controlId));
  EXPECT_EQ(reached, std::vector<std::string>{GetParam().handler});
}

INSTANTIATE_TEST_SUITE_P(Buttons, ClickRoutingTest, ::testing::ValuesIn(kClicks));

const Route kLists[] = {
    {1006, "OnCbnCloseupWhiteBalanceMode"}, {1032, "OnCbnCloseupWdrMode"},
    {1038, "OnCbnCloseupBlcSize"},          {1039, "OnCbnCloseupBlcHorizontal"},
    {1040, "OnCbnCloseupBlcVertical"},      {1045, "OnCbnCloseupDnMode"},
    {1048, "OnCbnCloseupZoomFactor"},
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
                         ::testing::Values(1005, 1010, 1012, 1015, 1016, 1020, 1021, 1022, 1025,
                                           1027, 1029, 1043, 1052));

TEST_F(RoutingTest, AddressEditAndSlidersAndWindowMessagesReachTheirHandlers) {
  window.UserType(1049, "7");
  window.UserSliderKey(1026, kTbLineDown);
  window.UserSystemCommand(0x0010, 0);
  window.UserEnter();  // the focus is nowhere: the default button
  window.Paint();
  EXPECT_EQ(reached, (std::vector<std::string>{"OnEnChangeCameraAddress", "SliderRelease",
                                               "SliderRelease", "OnSysCommand", "OnBnClickedOk",
                                               "OnPaint"}));
}

TEST_F(RoutingTest, TheDebugEditsAndUnknownEventsHaveNoHandler) {
  window.SetWindowText(1001, "3c");
  window.SetWindowText(1009, "path");
  WindowEvent doubleClick{WindowMessage::Command};
  doubleClick.controlId = 1002;
  doubleClick.code = 5;
  EXPECT_EQ(FindEventEntry(doubleClick), nullptr);
  EXPECT_EQ(reached, (std::vector<std::string>{"(none)", "(none)"}));
}

TEST(EventTableTest, HasFortyTwoRowsAndNoEventTakenTwice) {
  const auto table = MainDialogEventTable();
  ASSERT_EQ(table.size(), 42u);
  for (std::size_t i = 0; i < table.size(); ++i) {
    WindowEvent event{table[i].message};
    event.controlId = table[i].controlId;
    event.code = table[i].code;
    EXPECT_EQ(FindEventEntry(event), &table[i]) << table[i].handlerName;
  }
}

}  // namespace
}  // namespace torvix::testing
