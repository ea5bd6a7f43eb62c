// SPDX-License-Identifier: MIT
// The main dialog's 86 template rows against the controls the window layer builds from them.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "app/resource_ids.h"
#include "app/resources/dialog_templates.h"
#include "tests/support/scripted_hosts.h"
#include "window/dialog_window.h"

namespace torvix::testing {
namespace {

// Template order, as the dialog has always had it (-1: a control with no ID of its own).
// Written out here, apart from app/resources/dialog_templates.cpp, as the expectation that
// table is held to.
constexpr std::array<int, 86> kTemplateOrder{
    1,    2,    -1,   1002, 1003, -1,   1004, 1005, 1006, -1,   1007, 1009, -1,   -1,   -1,
    -1,   1011, 1012, -1,   1008, 1010, -1,   1013, 1014, -1,   -1,   1015, 1016, -1,   1017,
    1018, 1019, 1020, 1021, 1022, -1,   -1,   -1,   -1,   1023, 1024, 1025, -1,   1026, 1027,
    -1,   -1,   1030, 1031, 1032, -1,   -1,   1033, 1034, 1036, 1037, 1028, 1029, -1,   1035,
    -1,   -1,   1038, -1,   1039, -1,   1040, -1,   1041, 1042, 1043, 1001, -1,   1044, -1,
    1045, -1,   1047, 1048, -1,   1049, -1,   1050, 1051, -1,   1052};

const std::set<int> kHidden{1, 1007, 1009, 1035, 1001};

TEST(DialogTemplateTest, WindowLayerHasEveryRowInTemplateOrderWithItsState) {
  const DialogTemplate& main = MainDialogTemplate();
  EXPECT_EQ(main.id, 102);
  EXPECT_STREQ(main.caption, "Torvix_Controller_r16");
  EXPECT_EQ(main.width, 517);
  EXPECT_EQ(main.height, 204);
  EXPECT_STREQ(main.fontName, "MS Shell Dlg");
  EXPECT_EQ(main.fontPoints, 8);

  ScriptedMessageHost messages;
  DialogWindow window(main, messages);
  ASSERT_EQ(window.ControlCount(), kTemplateOrder.size());
  int hiddenStatics = 0;
  for (std::size_t i = 0; i < kTemplateOrder.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const ControlState& control = window.ControlAt(i);
    const ControlTemplate& row = *control.row;
    EXPECT_EQ(&row, &main.controls[i]);
    EXPECT_EQ(row.id, kTemplateOrder[i]);
    EXPECT_TRUE(control.enabled);
    EXPECT_EQ(control.visible, row.shown);
    if (row.id == kStaticId) {
      hiddenStatics += row.shown ? 0 : 1;
    } else {
      EXPECT_EQ(row.shown, !kHidden.contains(row.id));
      EXPECT_EQ(window.Find(row.id), &control);
    }
    EXPECT_EQ(control.text, row.kind == ControlKind::Edit ? "" : row.caption);
    EXPECT_EQ(control.selection, kNoSelection);
    EXPECT_EQ(control.check, 0);
    EXPECT_EQ(control.items.size(), row.items.size());
    EXPECT_GT(row.rect.width, 0);
    EXPECT_GT(row.rect.height, 0);
  }
  EXPECT_EQ(hiddenStatics, 3);  // the Debug frame and its two labels
}

TEST(DialogTemplateTest, ListsHoldTheirFixedItemsWithBlanksAndAmpersandsKept) {
  ScriptedMessageHost messages;
  DialogWindow window(MainDialogTemplate(), messages);
  EXPECT_EQ(window.Find(IDC_WHITE_BALANCE_MODE)->items,
            (std::vector<std::string>{"Auto mode", "Manual mode", "Push2White-set"}));
  EXPECT_EQ(window.Find(IDC_WDR_MODE)->items,
            (std::vector<std::string>{"OFF", " Low", "Middle", "High"}));
  EXPECT_EQ(window.Find(IDC_DN_MODE)->items, (std::vector<std::string>{"B&W", "COLOR", "SMART"}));
  EXPECT_EQ(window.Find(IDC_ZOOM_FACTOR)->items,
            (std::vector<std::string>{"X1(1,0)", "X2(0,8)", "X2(0,7)", "X3(0,6)"}));
  ASSERT_EQ(window.Find(IDC_BLC_SIZE)->items.size(), 16u);
  EXPECT_EQ(window.Find(IDC_BLC_SIZE)->items[5], "2H/2V");
  EXPECT_EQ(window.Find(IDC_BLC_HORIZONTAL)->items.size(), 8u);
  EXPECT_EQ(window.Find(IDC_BLC_VERTICAL)->items.back(), "7");
}

TEST(DialogTemplateTest, AboutBoxHasItsIconTextAndDefaultButton) {
  const DialogTemplate& about = AboutDialogTemplate();
  EXPECT_EQ(about.id, 100);
  EXPECT_STREQ(about.caption, "About Torvix_Controller");
  EXPECT_EQ(about.width, 170);
  EXPECT_EQ(about.height, 62);
  ASSERT_EQ(about.controls.size(), 3u);
  EXPECT_EQ(about.controls[0].resource, IDI_PROGRAM);
  EXPECT_STREQ(about.controls[1].caption, "Torvix_Controller, Version 1.0");
  EXPECT_EQ(about.controls[2].id, kIdOk);
  EXPECT_EQ(about.controls[2].kind, ControlKind::DefaultPushButton);
}

TEST(DialogTemplateTest, TabVisitsVisibleTabStopsInTemplateOrderSkippingRadiosAndHidden) {
  ScriptedMessageHost messages;
  DialogWindow window(MainDialogTemplate(), messages);
  window.FocusFirstTabStop();
  EXPECT_EQ(window.Focus(), kIdCancel);
  std::vector<int> visited{window.Focus()};
  for (int i = 0; i < 100 && window.UserTab(false) && window.Focus() != kIdCancel; ++i) {
    visited.push_back(window.Focus());
  }
  for (int id : visited) {
    EXPECT_EQ(kHidden.count(id), 0u) << id;
    EXPECT_NE(id, IDC_PAL);
    EXPECT_NE(id, IDC_NTSC);
  }
  ASSERT_GE(visited.size(), 3u);
  EXPECT_EQ(visited[1], IDC_MIRROR);
  EXPECT_EQ(visited.back(), IDC_DN_LEVEL_EDIT);
}

}  // namespace
}  // namespace torvix::testing
