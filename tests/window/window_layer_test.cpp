// The window layer's notification rules, on the main dialog's template with a recording
// dialog behind it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/scripted_hosts.h"
#include "window/dialog_window.h"

namespace torvix::testing {
namespace {

struct Seen {
  WindowEvent event;
  std::string text;  // the control's text when the event arrived
  int check;
  int selection;
  int position;
};

class Recorder final : public WindowProcedure {
 public:
  explicit Recorder(DialogWindow& window) : window_(window) {}
  int HandleWindowEvent(const WindowEvent& event) override {
    const ControlState* control = window_.Find(event.controlId);
    seen.push_back({event, control ? control->text : "", control ? control->check : -1,
                    control ? control->selection : -2, control ? control->position : -3});
    return 0;
  }
  std::vector<Seen> seen;

 private:
  DialogWindow& window_;
};

class WindowLayerTest : public ::testing::Test {
 protected:
  WindowLayerTest() : window(MainDialogTemplate(), messages), dialog(window) {
    window.SetProcedure(&dialog);
  }
  ScriptedMessageHost messages;
  DialogWindow window;
  Recorder dialog;
};

TEST_F(WindowLayerTest, DirectTextSetDeliversTheChangeBeforeItReturnsEvenBeyondTheLimit) {
  window.LimitText(1005, 2);
  window.SetWindowText(1005, "12345");
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kEnChange);
  EXPECT_EQ(dialog.seen[0].text, "12345");
}

TEST_F(WindowLayerTest, SettingCheckSelectionOrPositionDeliversNothing) {
  window.SetCheck(1002, 1);
  window.SetCheck(1030, 1);
  EXPECT_EQ(window.SetCurSel(1006, 2), 2);
  window.SetRangeMin(1004, 56, false);
  window.SetRangeMax(1004, 84, false);
  window.SetPos(1004, 60);
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.IsDlgButtonChecked(1002), 1);
  EXPECT_EQ(window.GetPos(1004), 60);
}

struct Clamp {
  int minimum;
  int maximum;
  int asked;
  int stands;
};

class SliderClampTest : public WindowLayerTest, public ::testing::WithParamInterface<Clamp> {};

TEST_P(SliderClampTest, ThumbStaysWithinTheRange) {
  window.SetRangeMin(1004, GetParam().minimum, false);
  window.SetRangeMax(1004, GetParam().maximum, false);
  window.SetPos(1004, GetParam().asked);
  EXPECT_EQ(window.GetPos(1004), GetParam().stands);
}

INSTANTIATE_TEST_SUITE_P(Ranges, SliderClampTest,
                         ::testing::Values(Clamp{56, 84, 0x20, 56}, Clamp{56, 84, 200, 84},
                                           Clamp{0, 255, 255, 255}, Clamp{8, 96, 8, 8},
                                           Clamp{1, 128, 0, 1}));

TEST_F(WindowLayerTest, SelectionBeyondTheItemsLeavesNone) {
  window.SetCurSel(1038, 3);
  EXPECT_EQ(window.SetCurSel(1038, 16), kNoSelection);
  EXPECT_EQ(window.GetCurSel(1038), kNoSelection);
  EXPECT_EQ(window.SetCurSel(1038, -5), kNoSelection);
}

TEST_F(WindowLayerTest, CheckBoxClickTogglesThenDeliversTheClick) {
  ASSERT_TRUE(window.UserClick(1002));
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kBnClicked);
  EXPECT_EQ(dialog.seen[0].check, 1);
  window.UserClick(1002);
  EXPECT_EQ(dialog.seen[1].check, 0);
}

TEST_F(WindowLayerTest, RadioClickChecksItClearsItsPartnerThenDeliversTheClick) {
  window.SetCheck(1030, 1);
  window.UserClick(1031);
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.controlId, 1031);
  EXPECT_EQ(dialog.seen[0].check, 1);
  EXPECT_EQ(window.IsDlgButtonChecked(1030), 0);
}

TEST_F(WindowLayerTest, ListReportsCloseUpAfterTheChosenItemBecameTheSelection) {
  window.UserOpenList(1045);
  EXPECT_TRUE(dialog.seen.empty());
  window.UserChooseItem(1045, 1);
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kCbnCloseUp);
  EXPECT_EQ(dialog.seen[0].selection, 1);
  // Closing without a choice reports too.
  window.UserOpenList(1045);
  window.UserCloseList(1045);
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[1].selection, 1);
}

TEST_F(WindowLayerTest, ArrowKeysOnTheClosedListMoveTheSelectionSilently) {
  window.SetCurSel(1048, 0);
  EXPECT_TRUE(window.UserArrowOnClosedList(1048, +1));
  EXPECT_TRUE(window.UserArrowOnClosedList(1048, +5));
  EXPECT_EQ(window.GetCurSel(1048), 3);
  EXPECT_TRUE(dialog.seen.empty());
}

TEST_F(WindowLayerTest, ReleasingADraggedThumbDeliversCodeFourWithThePosition) {
  window.SetRangeMax(1013, 255, false);
  window.UserDragThumb(1013, 0x42);
  std::vector<int> codes;
  for (const Seen& seen : dialog.seen) {
    EXPECT_EQ(seen.event.message, WindowMessage::HScroll);
    codes.push_back(seen.event.code);
    if (seen.event.code == kTbThumbPosition) {
      EXPECT_EQ(seen.event.position, 0x42);
    }
  }
  EXPECT_EQ(codes, (std::vector<int>{kTbThumbTrack, kTbThumbPosition, kTbEndTrack}));
}

TEST_F(WindowLayerTest, KeyboardStepsDeliverTheirOwnCodesAndNeverCodeFour) {
  window.SetRangeMax(1004, 100, false);
  window.SetPos(1004, 50);
  for (ScrollCode code : {kTbLineDown, kTbLineUp, kTbPageDown, kTbPageUp, kTbTop, kTbBottom}) {
    window.UserSliderKey(1004, code);
  }
  EXPECT_EQ(window.GetPos(1004), 100);
  for (const Seen& seen : dialog.seen) EXPECT_NE(seen.event.code, kTbThumbPosition);
  EXPECT_EQ(dialog.seen.size(), 12u);
}

TEST_F(WindowLayerTest, TypingIsBoundedByTheLimitAndDeliversOneChangePerCharacter) {
  window.LimitText(1012, 2);
  EXPECT_TRUE(window.UserType(1012, "1a7"));
  EXPECT_EQ(window.GetWindowText(1012), "1a");
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[0].text, "1");
  EXPECT_EQ(dialog.seen[1].text, "1a");
  window.UserSelectText(1012, 0, 2);
  window.UserType(1012, "f");
  EXPECT_EQ(window.GetWindowText(1012), "f");
  window.UserBackspace(1012);
  EXPECT_EQ(window.GetWindowText(1012), "");
  EXPECT_EQ(dialog.seen.size(), 4u);
}

TEST_F(WindowLayerTest, PasteKeepsOnlyWhatFitsTheLimit) {
  window.LimitText(1010, 2);
  window.UserPaste(1010, "abcdef");
  EXPECT_EQ(window.GetWindowText(1010), "ab");
  EXPECT_EQ(dialog.seen.size(), 1u);
}

// "é" is two bytes of UTF-8 but one character: the limit counts it once, no cut splits it.
TEST_F(WindowLayerTest, TheLimitCountsCharactersAndNeverSplitsOne) {
  window.LimitText(1012, 2);
  window.UserType(1012, "1\xc3\xa9\xc3\xa8");
  EXPECT_EQ(window.GetWindowText(1012), "1\xc3\xa9");
  window.UserBackspace(1012);
  EXPECT_EQ(window.GetWindowText(1012), "1");
  window.UserPaste(1012, "\xc3\xa8\xc3\xa9");
  EXPECT_EQ(window.GetWindowText(1012), "1\xc3\xa8");
  EXPECT_EQ(dialog.seen.size(), 4u) << "one change per character taken, backspace and paste";
}

struct Blocked {
  const char* name;
  void (*block)(DialogWindow&);
};

const Blocked kBlocked[] = {
    {"DisabledControls",
     [](DialogWindow& w) {
       for (int id : {1002, 1006, 1004, 1005, 1036}) w.EnableWindow(id, false);
     }},
    {"HiddenControls",
     [](DialogWindow& w) {
       for (int id : {1002, 1006, 1004, 1005, 1036}) w.ShowWindow(id, kHideCommand);
     }},
    {"DisabledWindow", [](DialogWindow& w) { w.EnableDialog(false); }},
};

class BlockedInputTest : public WindowLayerTest, public ::testing::WithParamInterface<Blocked> {};

TEST_P(BlockedInputTest, TakesNoUserInputAndDeliversNothing) {
  GetParam().block(window);
  EXPECT_FALSE(window.UserClick(1002));
  EXPECT_FALSE(window.UserClick(1036));
  EXPECT_FALSE(window.UserOpenList(1006));
  EXPECT_FALSE(window.UserDragThumb(1004, 10));
  EXPECT_FALSE(window.UserType(1005, "12"));
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.IsDlgButtonChecked(1002), 0);
  EXPECT_EQ(window.GetWindowText(1005), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockedInputTest, ::testing::ValuesIn(kBlocked),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowLayerTest, NoEventReachesTheDialogWhileAnExchangeRuns) {
  {
    DialogWindow::ExchangeScope exchange(window);
    window.SetWindowText(1005, "12");
    window.UserClick(1002);
  }
  EXPECT_TRUE(dialog.seen.empty());
  window.SetWindowText(1005, "13");
  EXPECT_EQ(dialog.seen.size(), 1u);
}

TEST_F(WindowLayerTest, GetLineCopiesAtMostTheCountInTheFirstWordWithoutATerminator) {
  window.SetWindowText(1022, "56789");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  buffer[0] = 3;
  buffer[1] = 0;
  EXPECT_EQ(window.GetLine(1022, buffer, sizeof buffer), 3);
  EXPECT_EQ(std::string(buffer, 4), "567#");
  buffer[0] = 5;
  EXPECT_EQ(window.GetLine(1022, buffer, 2), 2);  // never past the buffer
  EXPECT_EQ(window.LineLength(1022), 5);
}

TEST_F(WindowLayerTest, BadIdsNullBuffersAndWrongKindsChangeNothing) {
  EXPECT_EQ(window.GetLine(1022, nullptr, 8), 0);
  char one[1] = {5};
  EXPECT_EQ(window.GetLine(1022, one, 1), 0);
  EXPECT_EQ(window.GetLine(4242, one, 1), 0);
  window.SetPos(1005, 3);         // an edit is no slider
  window.SetCheck(1004, 1);       // a slider is no check box
  EXPECT_EQ(window.SetCurSel(1002, 0), kNoSelection);
  window.SetWindowText(4242, "x");
  EXPECT_FALSE(window.EnableWindow(4242, false));
  EXPECT_FALSE(window.UserClick(kStaticId));
  EXPECT_EQ(window.GetPos(1005), 0);
  EXPECT_EQ(window.IsDlgButtonChecked(1004), 0);
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.MessageBox(nullptr, 0), kAnswerOk);
  EXPECT_EQ(messages.shown.back().text, "");
}

TEST_F(WindowLayerTest, EnterWithTheFocusOnAPushButtonPressesItElseTheDefaultButton) {
  window.UserFocus(1036);
  window.UserEnter();
  window.UserFocus(1005);
  window.UserEnter();
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[0].event.controlId, 1036);
  EXPECT_EQ(dialog.seen[1].event.controlId, kIdOk);
}

struct StateChange {
  const char* name;
  int id;
  void (*change)(DialogWindow&);
};

const StateChange kStateChanges[] = {
    {"Text", 1005, [](DialogWindow& w) { w.SetWindowText(1005, "3c"); }},
    {"Limit", 1005, [](DialogWindow& w) { w.LimitText(1005, 2); }},
    {"Check", 1002, [](DialogWindow& w) { w.SetCheck(1002, 1); }},
    {"Selection", 1006, [](DialogWindow& w) { w.SetCurSel(1006, 1); }},
    {"RangeWithoutRedraw", 1004, [](DialogWindow& w) { w.SetRangeMax(1004, 84, false); }},
    {"Position", 1004, [](DialogWindow& w) { w.SetPos(1004, 9); }},
    {"Enabled", 1036, [](DialogWindow& w) { w.EnableWindow(1036, false); }},
    {"Shown", 1042, [](DialogWindow& w) { w.ShowWindow(1042, kHideCommand); }},
};

class StateChangeTest : public WindowLayerTest, public ::testing::WithParamInterface<StateChange>,
                        public WindowListener {
 protected:
  void ControlChanged(std::size_t index) override { changed.push_back(index); }
  void WindowChanged() override {}
  std::vector<std::size_t> changed;
};

TEST_P(StateChangeTest, TellsTheViewWhichControlToRedraw) {
  window.SetListener(this);
  GetParam().change(window);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(window.ControlAt(changed[0]).row->id, GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(Changes, StateChangeTest, ::testing::ValuesIn(kStateChanges),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace torvix::testing
