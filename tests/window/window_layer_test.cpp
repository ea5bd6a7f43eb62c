// SPDX-License-Identifier: MIT
// The window layer's notification rules, on the main dialog's template with a recording
// dialog behind it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/resource_ids.h"
#include "app/resources/dialog_templates.h"
#include "tests/support/case_name.h"
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
  window.LimitText(IDC_CONTRAST_EDIT, 2);
  window.SetWindowText(IDC_CONTRAST_EDIT, "12345");
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kEnChange);
  EXPECT_EQ(dialog.seen[0].text, "12345");
}

TEST_F(WindowLayerTest, SettingCheckSelectionOrPositionDeliversNothing) {
  window.SetCheck(IDC_MIRROR, 1);
  window.SetCheck(IDC_PAL, 1);
  EXPECT_EQ(window.SetCurSel(IDC_WHITE_BALANCE_MODE, 2), 2);
  window.SetRangeMin(IDC_CONTRAST_SLIDER, 56, false);
  window.SetRangeMax(IDC_CONTRAST_SLIDER, 84, false);
  window.SetPos(IDC_CONTRAST_SLIDER, 60);
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.IsDlgButtonChecked(IDC_MIRROR), 1);
  EXPECT_EQ(window.GetPos(IDC_CONTRAST_SLIDER), 60);
}

struct Clamp {
  int minimum;
  int maximum;
  int asked;
  int stands;
};

class SliderClampTest : public WindowLayerTest, public ::testing::WithParamInterface<Clamp> {};

TEST_P(SliderClampTest, ThumbStaysWithinTheRange) {
  window.SetRangeMin(IDC_CONTRAST_SLIDER, GetParam().minimum, false);
  window.SetRangeMax(IDC_CONTRAST_SLIDER, GetParam().maximum, false);
  window.SetPos(IDC_CONTRAST_SLIDER, GetParam().asked);
  EXPECT_EQ(window.GetPos(IDC_CONTRAST_SLIDER), GetParam().stands);
}

INSTANTIATE_TEST_SUITE_P(Ranges, SliderClampTest,
                         ::testing::Values(Clamp{56, 84, 0x20, 56}, Clamp{56, 84, 200, 84},
                                           Clamp{0, 255, 255, 255}, Clamp{8, 96, 8, 8},
                                           Clamp{1, 128, 0, 1}));

TEST_F(WindowLayerTest, SelectionBeyondTheItemsLeavesNone) {
  window.SetCurSel(IDC_BLC_SIZE, 3);
  EXPECT_EQ(window.SetCurSel(IDC_BLC_SIZE, 16), kNoSelection);
  EXPECT_EQ(window.GetCurSel(IDC_BLC_SIZE), kNoSelection);
  EXPECT_EQ(window.SetCurSel(IDC_BLC_SIZE, -5), kNoSelection);
}

TEST_F(WindowLayerTest, CheckBoxClickTogglesThenDeliversTheClick) {
  ASSERT_TRUE(window.UserClick(IDC_MIRROR));
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kBnClicked);
  EXPECT_EQ(dialog.seen[0].check, 1);
  window.UserClick(IDC_MIRROR);
  EXPECT_EQ(dialog.seen[1].check, 0);
}

TEST_F(WindowLayerTest, RadioClickChecksItClearsItsPartnerThenDeliversTheClick) {
  window.SetCheck(IDC_PAL, 1);
  window.UserClick(IDC_NTSC);
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.controlId, IDC_NTSC);
  EXPECT_EQ(dialog.seen[0].check, 1);
  EXPECT_EQ(window.IsDlgButtonChecked(IDC_PAL), 0);
}

TEST_F(WindowLayerTest, ListReportsCloseUpAfterTheChosenItemBecameTheSelection) {
  window.UserOpenList(IDC_DN_MODE);
  EXPECT_TRUE(dialog.seen.empty());
  window.UserChooseItem(IDC_DN_MODE, 1);
  ASSERT_EQ(dialog.seen.size(), 1u);
  EXPECT_EQ(dialog.seen[0].event.code, kCbnCloseUp);
  EXPECT_EQ(dialog.seen[0].selection, 1);
  // Closing without a choice reports too.
  window.UserOpenList(IDC_DN_MODE);
  window.UserCloseList(IDC_DN_MODE);
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[1].selection, 1);
}

TEST_F(WindowLayerTest, ArrowKeysOnTheClosedListMoveTheSelectionSilently) {
  window.SetCurSel(IDC_ZOOM_FACTOR, 0);
  EXPECT_TRUE(window.UserArrowOnClosedList(IDC_ZOOM_FACTOR, +1));
  EXPECT_TRUE(window.UserArrowOnClosedList(IDC_ZOOM_FACTOR, +5));
  EXPECT_EQ(window.GetCurSel(IDC_ZOOM_FACTOR), 3);
  EXPECT_TRUE(dialog.seen.empty());
}

TEST_F(WindowLayerTest, ReleasingADraggedThumbDeliversCodeFourWithThePosition) {
  window.SetRangeMax(IDC_RED_GAIN_SLIDER, 255, false);
  window.UserDragThumb(IDC_RED_GAIN_SLIDER, 0x42);
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
  window.SetRangeMax(IDC_CONTRAST_SLIDER, 100, false);
  window.SetPos(IDC_CONTRAST_SLIDER, 50);
  for (ScrollCode code : {kTbLineDown, kTbLineUp, kTbPageDown, kTbPageUp, kTbTop, kTbBottom}) {
    window.UserSliderKey(IDC_CONTRAST_SLIDER, code);
  }
  EXPECT_EQ(window.GetPos(IDC_CONTRAST_SLIDER), 100);
  for (const Seen& seen : dialog.seen) EXPECT_NE(seen.event.code, kTbThumbPosition);
  EXPECT_EQ(dialog.seen.size(), 12u);
}

TEST_F(WindowLayerTest, TypingIsBoundedByTheLimitAndDeliversOneChangePerCharacter) {
  window.LimitText(IDC_COLOR_GAIN_EDIT, 2);
  EXPECT_TRUE(window.UserType(IDC_COLOR_GAIN_EDIT, "1a7"));
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "1a");
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[0].text, "1");
  EXPECT_EQ(dialog.seen[1].text, "1a");
  window.UserSelectText(IDC_COLOR_GAIN_EDIT, 0, 2);
  window.UserType(IDC_COLOR_GAIN_EDIT, "f");
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "f");
  window.UserBackspace(IDC_COLOR_GAIN_EDIT);
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "");
  EXPECT_EQ(dialog.seen.size(), 4u);
}

TEST_F(WindowLayerTest, PasteKeepsOnlyWhatFitsTheLimit) {
  window.LimitText(IDC_AEX_REFERENCE_EDIT, 2);
  window.UserPaste(IDC_AEX_REFERENCE_EDIT, "abcdef");
  EXPECT_EQ(window.GetWindowText(IDC_AEX_REFERENCE_EDIT), "ab");
  EXPECT_EQ(dialog.seen.size(), 1u);
}

// "é" is two bytes of UTF-8 but one character: the limit counts it once, no cut splits it.
TEST_F(WindowLayerTest, TheLimitCountsCharactersAndNeverSplitsOne) {
  window.LimitText(IDC_COLOR_GAIN_EDIT, 2);
  window.UserType(IDC_COLOR_GAIN_EDIT, "1\xc3\xa9\xc3\xa8");
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "1\xc3\xa9");
  window.UserBackspace(IDC_COLOR_GAIN_EDIT);
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "1");
  window.UserPaste(IDC_COLOR_GAIN_EDIT, "\xc3\xa8\xc3\xa9");
  EXPECT_EQ(window.GetWindowText(IDC_COLOR_GAIN_EDIT), "1\xc3\xa8");
  EXPECT_EQ(dialog.seen.size(), 4u) << "one change per character taken, backspace and paste";
}

struct Blocked {
  const char* name;
  void (*block)(DialogWindow&);
};

const Blocked kBlocked[] = {
    {"DisabledControls",
     [](DialogWindow& w) {
       for (int id : {IDC_MIRROR, IDC_WHITE_BALANCE_MODE, IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT,
                      IDC_CONNECT})
         w.EnableWindow(id, false);
     }},
    {"HiddenControls",
     [](DialogWindow& w) {
       for (int id : {IDC_MIRROR, IDC_WHITE_BALANCE_MODE, IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT,
                      IDC_CONNECT})
         w.ShowWindow(id, kHideCommand);
     }},
    {"DisabledWindow", [](DialogWindow& w) { w.EnableDialog(false); }},
};

class BlockedInputTest : public WindowLayerTest, public ::testing::WithParamInterface<Blocked> {};

TEST_P(BlockedInputTest, TakesNoUserInputAndDeliversNothing) {
  GetParam().block(window);
  EXPECT_FALSE(window.UserClick(IDC_MIRROR));
  EXPECT_FALSE(window.UserClick(IDC_CONNECT));
  EXPECT_FALSE(window.UserOpenList(IDC_WHITE_BALANCE_MODE));
  EXPECT_FALSE(window.UserDragThumb(IDC_CONTRAST_SLIDER, 10));
  EXPECT_FALSE(window.UserType(IDC_CONTRAST_EDIT, "12"));
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.IsDlgButtonChecked(IDC_MIRROR), 0);
  EXPECT_EQ(window.GetWindowText(IDC_CONTRAST_EDIT), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockedInputTest, ::testing::ValuesIn(kBlocked), CaseName());

TEST_F(WindowLayerTest, NoEventReachesTheDialogWhileAnExchangeRuns) {
  {
    DialogWindow::ExchangeScope exchange(window);
    window.SetWindowText(IDC_CONTRAST_EDIT, "12");
    window.UserClick(IDC_MIRROR);
  }
  EXPECT_TRUE(dialog.seen.empty());
  window.SetWindowText(IDC_CONTRAST_EDIT, "13");
  EXPECT_EQ(dialog.seen.size(), 1u);
}

TEST_F(WindowLayerTest, GetLineCopiesAtMostTheCountInTheFirstWordWithoutATerminator) {
  window.SetWindowText(IDC_LLS_EDGE_EDIT, "56789");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  buffer[0] = 3;
  buffer[1] = 0;
  EXPECT_EQ(window.GetLine(IDC_LLS_EDGE_EDIT, buffer, sizeof buffer), 3);
  EXPECT_EQ(std::string(buffer, 4), "567#");
  buffer[0] = 5;
  EXPECT_EQ(window.GetLine(IDC_LLS_EDGE_EDIT, buffer, 2), 2);  // never past the buffer
  EXPECT_EQ(window.LineLength(IDC_LLS_EDGE_EDIT), 5);
}

TEST_F(WindowLayerTest, BadIdsNullBuffersAndWrongKindsChangeNothing) {
  EXPECT_EQ(window.GetLine(IDC_LLS_EDGE_EDIT, nullptr, 8), 0);
  char one[1] = {5};
  EXPECT_EQ(window.GetLine(IDC_LLS_EDGE_EDIT, one, 1), 0);
  EXPECT_EQ(window.GetLine(4242, one, 1), 0);
  window.SetPos(IDC_CONTRAST_EDIT, 3);      // an edit is no slider
  window.SetCheck(IDC_CONTRAST_SLIDER, 1);  // a slider is no check box
  EXPECT_EQ(window.SetCurSel(IDC_MIRROR, 0), kNoSelection);
  window.SetWindowText(4242, "x");
  EXPECT_FALSE(window.EnableWindow(4242, false));
  EXPECT_FALSE(window.UserClick(kStaticId));
  EXPECT_EQ(window.GetPos(IDC_CONTRAST_EDIT), 0);
  EXPECT_EQ(window.IsDlgButtonChecked(IDC_CONTRAST_SLIDER), 0);
  EXPECT_TRUE(dialog.seen.empty());
  EXPECT_EQ(window.MessageBox(nullptr, 0), kAnswerOk);
  EXPECT_EQ(messages.shown.back().text, "");
}

TEST_F(WindowLayerTest, EnterWithTheFocusOnAPushButtonPressesItElseTheDefaultButton) {
  window.UserFocus(IDC_CONNECT);
  window.UserEnter();
  window.UserFocus(IDC_CONTRAST_EDIT);
  window.UserEnter();
  ASSERT_EQ(dialog.seen.size(), 2u);
  EXPECT_EQ(dialog.seen[0].event.controlId, IDC_CONNECT);
  EXPECT_EQ(dialog.seen[1].event.controlId, kIdOk);
}

struct StateChange {
  const char* name;
  int id;
  void (*change)(DialogWindow&);
};

const StateChange kStateChanges[] = {
    {"Text", IDC_CONTRAST_EDIT, [](DialogWindow& w) { w.SetWindowText(IDC_CONTRAST_EDIT, "3c"); }},
    {"Limit", IDC_CONTRAST_EDIT, [](DialogWindow& w) { w.LimitText(IDC_CONTRAST_EDIT, 2); }},
    {"Check", IDC_MIRROR, [](DialogWindow& w) { w.SetCheck(IDC_MIRROR, 1); }},
    {"Selection", IDC_WHITE_BALANCE_MODE,
     [](DialogWindow& w) { w.SetCurSel(IDC_WHITE_BALANCE_MODE, 1); }},
    {"RangeWithoutRedraw", IDC_CONTRAST_SLIDER,
     [](DialogWindow& w) { w.SetRangeMax(IDC_CONTRAST_SLIDER, 84, false); }},
    {"Position", IDC_CONTRAST_SLIDER, [](DialogWindow& w) { w.SetPos(IDC_CONTRAST_SLIDER, 9); }},
    {"Enabled", IDC_CONNECT, [](DialogWindow& w) { w.EnableWindow(IDC_CONNECT, false); }},
    {"Shown", IDC_AGC_GAIN_MAX_SLIDER,
     [](DialogWindow& w) { w.ShowWindow(IDC_AGC_GAIN_MAX_SLIDER, kHideCommand); }},
};

class StateChangeTest : public WindowLayerTest,
                        public ::testing::WithParamInterface<StateChange>,
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

INSTANTIATE_TEST_SUITE_P(Changes, StateChangeTest, ::testing::ValuesIn(kStateChanges), CaseName());

}  // namespace
}  // namespace torvix::testing
