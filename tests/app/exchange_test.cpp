// SPDX-License-Identifier: MIT
// The data exchange runs no handler, and the push sets only the texts that differ.
#include <gtest/gtest.h>

#include "app/main_dialog_events.h"
#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

using ExchangeTest = AppFixture;

TEST_F(ExchangeTest, ShowHexValueChangesOnlyTheDebugEditAndDeliversNothing) {
  RunOpen([&] {
    events.clear();
    std::vector<std::string> before;
    for (std::size_t i = 0; i < dialog->Window().ControlCount(); ++i) {
      before.push_back(dialog->Window().ControlAt(i).text);
    }
    std::vector<std::size_t> changed;
    struct Recorder : WindowListener {
      std::vector<std::size_t>& changed;
      explicit Recorder(std::vector<std::size_t>& c) : changed(c) {}
      void ControlChanged(std::size_t index) override { changed.push_back(index); }
      void WindowChanged() override {}
    } recorder(changed);
    dialog->Window().SetListener(&recorder);

    dialog->ShowHexValue(0x3c);
    dialog->Window().SetListener(nullptr);

    EXPECT_EQ(Control(IDC_DEBUG_VALUE).text, "3c");
    EXPECT_TRUE(events.empty());
    for (std::size_t i = 0; i < dialog->Window().ControlCount(); ++i) {
      if (dialog->Window().ControlAt(i).row->id == IDC_DEBUG_VALUE) continue;
      EXPECT_EQ(dialog->Window().ControlAt(i).text, before[i]) << i;
    }
    // Text pushes re-render only the debug edit; check states are set again unchanged.
    for (std::size_t index : changed) {
      const ControlState& control = dialog->Window().ControlAt(index);
      if (control.row->kind == ControlKind::Edit) {
        EXPECT_EQ(control.row->id, IDC_DEBUG_VALUE);
      }
    }
  });
}

TEST_F(ExchangeTest, ShowHexValueFormatsTwoLowerCaseDigitsAndWiderValuesInFull) {
  RunOpen([&] {
    dialog->ShowHexValue(0x0a);
    EXPECT_EQ(Control(IDC_DEBUG_VALUE).text, "0a");
    dialog->ShowHexValue(0x1ab);
    EXPECT_EQ(Control(IDC_DEBUG_VALUE).text, "1ab");
  });
}

TEST_F(ExchangeTest, APushOfAChangedValueTextRunsNoChangeHandlerButADirectSetDoes) {
  std::vector<WindowEvent> afterPush;
  whileOpen = [&](DialogWindow&) {
    events.clear();
    dialog->m_strContrast = "55";
    dialog->UpdateData(false);
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "55");
    afterPush = events;
    // The same change made directly reaches the edit's handler at once.
    dialog->m_editContrast.SetWindowText("44");
  };
  Start();
  EXPECT_TRUE(afterPush.empty());
  ASSERT_EQ(events.size(), 1u);
  const EventEntry* entry = FindEventEntry(events[0]);
  ASSERT_NE(entry, nullptr);
  EXPECT_STREQ(entry->handlerName, "ValueEditChange");
  EXPECT_EQ(events[0].controlId, IDC_CONTRAST_EDIT);
}

TEST_F(ExchangeTest, SaveDirectionPullsTextsAndChecksIntoTheMembers) {
  RunOpen([&] {
    dialog->Window().SetWindowText(IDC_BRIGHTNESS_EDIT, "7f");
    dialog->Window().SetCheck(IDC_MIRROR, 1);
    dialog->UpdateData(true);
    EXPECT_EQ(dialog->m_strBrightness, "7f");
    EXPECT_EQ(dialog->m_checkMirror, 1);
  });
}

TEST_F(ExchangeTest, APushOfACheckMemberSetsTheBoxWithoutAClick) {
  RunOpen([&] {
    events.clear();
    dialog->m_checkBlcView = 1;
    dialog->UpdateData(false);
    EXPECT_EQ(Control(IDC_BLC_VIEW_ON).check, 1);
    EXPECT_TRUE(events.empty());
  });
}

}  // namespace
}  // namespace torvix::testing
