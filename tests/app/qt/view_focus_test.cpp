// SPDX-License-Identifier: MIT
// Where the keyboard focus stands in the real view, and what Enter and Space then do. The
// window layer's rule holds, not Qt's focus chain: a control disabled or hidden while it has
// the focus leaves it to no control, so Enter goes to the hidden OK and Space to nothing.
#include <QApplication>
#include <QTest>

#include "app/resource_ids.h"
#include "tests/app/qt/qt_fixture.h"

namespace torvix::testing {
namespace {

constexpr uint8_t kOsdRegister = 0x80;

// Activates a window so that focus and keys behave as on a desktop.
void Activate(QWidget& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// A key as the user presses it: to whatever has the focus now.
void Press(Qt::Key key) {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr) << "no window has the focus";
  QTest::keyClick(target, key);
}

using QtViewFocusTest = QtViewTest;

TEST_F(QtViewFocusTest, RightAfterOpeningTheFocusIsOnCancel) {
  RunOpen([](DialogView& view) {
    Activate(view);
    EXPECT_EQ(view.Window().Focus(), kIdCancel);
    EXPECT_EQ(QApplication::focusWidget(), view.WidgetFor(kIdCancel));
  });
}

// The camera went into OSD control after start-up; the search finds it and the refresh locks
// the panel, the focused search button with it.
TEST_F(QtViewFocusTest, EnterAndSpaceAfterASearchThatLandsOnAnOsdCameraLeaveTheDialogOpen) {
  RunOpen([this](DialogView& view) {
    Activate(view);
    Rig().Camera().SetRegister(kOsdRegister, 0x01);
    view.WidgetFor(IDC_SEARCH_ADDRESS)->setFocus();
    Press(Qt::Key_Space);
    ASSERT_FALSE(view.Window().Find(IDC_SEARCH_ADDRESS)->enabled)
        << "the search did not lock the panel";
    EXPECT_EQ(view.Window().Focus(), kStaticId);

    events.clear();
    Press(Qt::Key_Return);
    Press(Qt::Key_Space);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].controlId, kIdOk) << "Enter goes to the hidden default button";

    // Another window took the focus and gave it back: still no control has it.
    QWidget other;
    other.show();
    Activate(other);
    other.close();
    Activate(view);
    Press(Qt::Key_Space);
    EXPECT_EQ(view.Window().Focus(), kStaticId);
    EXPECT_FALSE(view.Window().Ended());
  });
}

}  // namespace
}  // namespace torvix::testing
