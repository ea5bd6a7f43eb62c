// SPDX-License-Identifier: MIT
// The dialog's shell: Enter never closes it, Esc / Cancel / the close box do, the system menu
// opens the About box, and a minimised dialog paints its icon centred.
#include <gtest/gtest.h>

#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using ShellTest = AppFixture;

TEST_F(ShellTest, EnterInAValueEditOrCheckBoxLeavesTheDialogOpenAndSendsNothing) {
  whileOpen = [&](DialogWindow& window) {
    const std::size_t transfers = Rig().Log().Entries().size();
    for (int focus : {IDC_CONTRAST_EDIT, IDC_MIRROR, IDC_CONTRAST_SLIDER, IDC_WHITE_BALANCE_MODE}) {
      ASSERT_TRUE(window.UserFocus(focus)) << focus;
      window.UserEnter();
      EXPECT_FALSE(window.Ended()) << focus;
    }
    EXPECT_EQ(Rig().Log().Entries().size(), transfers);
  };
  Start();
  const std::vector<WindowEvent> clicks = EventsOf(WindowMessage::Command, kBnClicked);
  ASSERT_EQ(clicks.size(), 4u);
  for (const WindowEvent& click : clicks) EXPECT_EQ(click.controlId, kIdOk);
}

struct CloseWay {
  const char* name;
  void (*act)(DialogWindow&);
};

const CloseWay kCloseWays[] = {
    {"EnterOnTheFirstFocus", [](DialogWindow& w) { w.UserEnter(); }},
    {"Escape", [](DialogWindow& w) { w.UserEscape(); }},
    {"CancelButton", [](DialogWindow& w) { w.UserClick(kIdCancel); }},
    {"CloseBox", [](DialogWindow& w) { w.UserCloseBox(); }},
    {"SystemMenuClose", [](DialogWindow& w) { w.UserSystemCommand(kScClose, 0); }},
};

class CloseTest : public AppFixture, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(CloseTest, EndsTheDialogWithCancelAndWritesNothing) {
  std::size_t transfersBefore = 0;
  whileOpen = [&](DialogWindow& window) {
    transfersBefore = Rig().Log().Entries().size();
    GetParam().act(window);
  };
  Start();
  EXPECT_TRUE(dialog->Window().Ended());
  EXPECT_EQ(dialog->Window().Result(), kIdCancel);
  EXPECT_EQ(Rig().Log().Entries().size(), transfersBefore);
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseTest, ::testing::ValuesIn(kCloseWays), CaseName());

class AboutCommandTest : public AppFixture, public ::testing::WithParamInterface<unsigned> {};

TEST_P(AboutCommandTest, OpensTheAboutBoxModallyOverTheDisabledMainDialog) {
  bool mainEnabledDuringAbout = true;
  whileOpen = [&](DialogWindow& window) {
    window.UserSystemCommand(GetParam(), 0);
    EXPECT_TRUE(window.IsWindowEnabled());
    EXPECT_FALSE(window.Ended());
  };
  modal.steps.push_back([&](DialogWindow& about) {
    mainEnabledDuringAbout = dialog->Window().IsWindowEnabled();
    EXPECT_EQ(about.Find(kIdOk)->text, "OK");
    about.UserEnter();
    EXPECT_TRUE(about.Ended());
  });
  Start();
  ASSERT_EQ(modal.runTemplates.size(), 2u);
  EXPECT_EQ(modal.runTemplates[1], IDD_ABOUTBOX);
  EXPECT_FALSE(mainEnabledDuringAbout);
}

INSTANTIATE_TEST_SUITE_P(LowBitsIgnored, AboutCommandTest, ::testing::Range(0x0010u, 0x0020u));

TEST_F(ShellTest, OtherSystemCommandsOpenNoAboutBox) {
  whileOpen = [](DialogWindow& window) {
    window.UserSystemCommand(0x0020, 0);
    window.UserSystemCommand(0x000F, 0);
  };
  Start();
  EXPECT_EQ(modal.runs, 1);
  EXPECT_FALSE(dialog->Window().Ended());
}

TEST_F(ShellTest, SystemMenuEndsWithASeparatorAndTheAboutEntryAndIconsAreSet) {
  Start();
  const std::vector<MenuItem>& menu = dialog->Window().SystemMenu();
  ASSERT_GE(menu.size(), 2u);
  EXPECT_TRUE(menu[menu.size() - 2].separator);
  EXPECT_EQ(menu.back().command, IDM_ABOUTBOX);
  EXPECT_EQ(menu.back().text, "&About Torvix_Controller...");
  EXPECT_EQ(dialog->Window().Icon(true), IDI_PROGRAM);
  EXPECT_EQ(dialog->Window().Icon(false), IDI_PROGRAM);
  EXPECT_EQ(Control(IDC_COLOR_GAIN_EDIT).textLimit, 2u);
  EXPECT_EQ(Control(IDC_CONTRAST_EDIT).textLimit, kDefaultEditLimit);
}

TEST_F(ShellTest, AMinimisedDialogPaintsItsIconCentredAndDragsIt) {
  int dragIcon = 0;
  whileOpen = [&](DialogWindow& window) {
    window.SetClientSize(101, 40);
    window.UserMinimize();
    dragIcon = window.UserDragMinimized();
    window.UserRestore();
  };
  Start();
  const DialogWindow& window = dialog->Window();
  ASSERT_EQ(window.DrawnIcons().size(), 1u);
  EXPECT_EQ(window.DrawnIcons()[0].x, (101 - 32 + 1) / 2);
  EXPECT_EQ(window.DrawnIcons()[0].y, (40 - 32 + 1) / 2);
  EXPECT_EQ(window.DrawnIcons()[0].iconId, IDI_PROGRAM);
  EXPECT_EQ(window.IconBackgroundErases(), 1);
  EXPECT_EQ(window.DefaultPaints(), 1);  // after the restore
  EXPECT_EQ(dragIcon, IDI_PROGRAM);
}

TEST_F(ShellTest, IconIsCentredWithTruncationOnAClientAreaSmallerThanTheIcon) {
  whileOpen = [](DialogWindow& window) {
    window.SetClientSize(20, 10);
    window.UserMinimize();
  };
  Start();
  ASSERT_EQ(dialog->Window().DrawnIcons().size(), 1u);
  EXPECT_EQ(dialog->Window().DrawnIcons()[0].x, -5);  // (20 - 32 + 1) / 2 toward zero
  EXPECT_EQ(dialog->Window().DrawnIcons()[0].y, -10);
}

}  // namespace
}  // namespace torvix::testing
