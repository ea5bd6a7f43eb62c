// SPDX-License-Identifier: MIT
// The Qt hosts: message boxes as the box type asks, the save dialog's filters, the About box
// through the dialog's own menu entry, and a start without a camera answered by the test.
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt/qt_message_host.h"
#include "app/qt/qt_save_dialog_host.h"
#include "app/resource_ids.h"
#include "tests/app/qt/qt_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

struct BoxCase {
  unsigned type;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon;
  QMessageBox::StandardButton press;
  int answer;
};

class QtMessageHostTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageHostTest, ShowsAModalBoxCaptionedWithTheProgramsNameAndReturnsTheAnswer) {
  QtApp();
  const BoxCase param = GetParam();
  QString caption;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool modal = false;
  // The box runs its own loop; the timer answers it as a user would.
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    buttons = box->standardButtons();
    icon = box->icon();
    modal = box->isModal();
    box->button(param.press)->click();
  });
  QtMessageHost host;
  EXPECT_EQ(host.Show("Camera does not answer.", param.type), param.answer);
  EXPECT_EQ(caption, QStringLiteral("Torvix_Controller"));
  EXPECT_EQ(text, QStringLiteral("Camera does not answer."));
  EXPECT_EQ(buttons, param.buttons);
  EXPECT_EQ(icon, param.icon);
  EXPECT_TRUE(modal);
}

INSTANTIATE_TEST_SUITE_P(
    Types, QtMessageHostTest,
    ::testing::Values(
        BoxCase{kMessageOk, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, kAnswerOk},
        BoxCase{kMessageOkCancelExclamation, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Warning, QMessageBox::Cancel, kAnswerCancel},
        BoxCase{kMessageOkCancelExclamation, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Warning, QMessageBox::Ok, kAnswerOk},
        BoxCase{0x10, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, kAnswerOk}));

TEST(QtMessageHostEscTest, EscOnTheOkCancelBoxAnswersCancel) {
  QtApp();
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
  });
  QtMessageHost host;
  EXPECT_EQ(host.Show("Are you sure to load the Default settings", kMessageOkCancelExclamation),
            kAnswerCancel);
}

TEST(QtSaveDialogFilters, KeepTheDescriptionsAndLetAllFilesMatchNamesWithoutADot) {
  SaveDialogRequest request;
  request.filters = {{"Text Files(*.vis)", "*.vis"},
                     {"All Files (*.*)", "*.*"},
                     {"Dumps", "*.txt"}};
  EXPECT_EQ(QtNameFilters(request),
            QStringList({"Text Files(*.vis)", "All Files (*)", "Dumps (*.txt)"}));
}

using QtShellTest = QtViewTest;

TEST_F(QtShellTest, TheAboutEntryOpensTheAboutBoxOverTheDisabledMainDialog) {
  bool mainDisabledMeanwhile = false;
  QString caption;
  std::vector<QString> texts;
  bool iconShown = false;
  const auto aboutStep = [&](DialogView& about) {
    caption = about.windowTitle();
    for (QLabel* label : about.findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) texts.push_back(label->text());
      if (!label->pixmap().isNull()) iconShown = true;
    }
    mainDisabledMeanwhile = !dialog->Window().IsWindowEnabled();
    static_cast<QPushButton*>(about.WidgetFor(kIdOk))->click();
  };
  RunOpen([&](DialogView& view) {
    host.steps.push_back(aboutStep);
    ASSERT_FALSE(view.Window().SystemMenu().empty());
    EXPECT_EQ(view.Window().SystemMenu().back().text, "&About Torvix_Controller...");
    view.Window().UserSystemCommand(IDM_ABOUTBOX, 0);
    EXPECT_TRUE(view.Window().IsWindowEnabled());
    EXPECT_FALSE(view.Window().Ended()) << "closing the About box returns to the main dialog";
  });
  ASSERT_EQ(host.openedTemplates, (std::vector<int>{IDD_TORVIX_CONTROLLER_DIALOG, IDD_ABOUTBOX}));
  EXPECT_EQ(caption, QStringLiteral("About Torvix_Controller"));
  EXPECT_EQ(texts, std::vector<QString>{QStringLiteral("Torvix_Controller, Version 1.0")});
  EXPECT_TRUE(iconShown);
  EXPECT_TRUE(mainDisabledMeanwhile);
}

TEST_F(QtShellTest, WithoutACameraTheMessagesGoToTheHostAndThePanelShowsTheDefaults) {
  Rig().SetCameraPresent(false);
  RunOpen([](DialogView& view) {
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.WidgetFor(IDC_CONTRAST_EDIT))->text(),
              QStringLiteral("3c"));
  });
  EXPECT_FALSE(messages.shown.empty());
  EXPECT_EQ(host.openedTemplates, std::vector<int>{IDD_TORVIX_CONTROLLER_DIALOG});
}

TEST_F(QtShellTest, TheContextMenuOffersTheDialogsEntriesAndAboutLast) {
  QStringList offered;
  RunOpen([&](DialogView& view) {
    host.steps.push_back([](DialogView& about) { about.Window().UserEscape(); });
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) offered << action->text();
      }
      menu->setActiveAction(menu->actions().last());
      QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint inside(view.width() / 2, view.height() - 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, view.mapToGlobal(inside));
    QApplication::sendEvent(&view, &event);
    EXPECT_FALSE(view.Window().Ended());
  });
  EXPECT_EQ(offered, QStringList({"Save profile...", "Apply profile...", "Save DSP settings...",
                                  "Save EEPROM dump...", "&About Torvix_Controller..."}));
  EXPECT_EQ(host.openedTemplates, (std::vector<int>{IDD_TORVIX_CONTROLLER_DIALOG, IDD_ABOUTBOX}));
}

struct EndCase {
  const char* name;
  std::function<void(DialogView&)> act;
  bool ends;
};

class QtEndingTest : public QtViewTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(QtEndingTest, EnterNeverClosesTheDialogButEscAndTheCloseBoxDo) {
  bool ended = false;
  RunOpen([&](DialogView& view) {
    GetParam().act(view);
    ended = view.Window().Ended();
  });
  EXPECT_EQ(ended, GetParam().ends);
  EXPECT_TRUE(dialog->Window().Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, QtEndingTest,
    ::testing::Values(
        EndCase{"EnterOnASlider",
                [](DialogView& view) {
                  view.WidgetFor(IDC_CONTRAST_SLIDER)->setFocus();
                  QTest::keyClick(view.WidgetFor(IDC_CONTRAST_SLIDER), Qt::Key_Return);
                },
                false},
        EndCase{"EnterInAnEdit",
                [](DialogView& view) {
                  view.WidgetFor(IDC_CONTRAST_EDIT)->setFocus();
                  QTest::keyClick(view.WidgetFor(IDC_CONTRAST_EDIT), Qt::Key_Return);
                },
                false},
        EndCase{"EnterAfterClickingARadio",
                [](DialogView& view) {
                  QTest::mouseClick(view.WidgetFor(IDC_NTSC), Qt::LeftButton);
                  QTest::keyClick(view.WidgetFor(IDC_NTSC), Qt::Key_Return);
                },
                false},
        EndCase{"EnterOnCancel",
                [](DialogView& view) {
                  view.WidgetFor(kIdCancel)->setFocus();
                  QTest::keyClick(view.WidgetFor(kIdCancel), Qt::Key_Return);
                },
                true},
        EndCase{"Escape", [](DialogView& view) { QTest::keyClick(&view, Qt::Key_Escape); }, true},
        EndCase{"CloseBox", [](DialogView& view) { view.close(); }, true}),
    CaseName());

}  // namespace
}  // namespace torvix::testing
