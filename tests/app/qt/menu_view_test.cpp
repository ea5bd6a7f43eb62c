// SPDX-License-Identifier: MIT
// The menu's dump with its progress dialog, cancelled by a click; a control's tip on its widget.
#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "app/qt/qt_progress_host.h"
#include "app/resource_ids.h"
#include "app/tool_menu.h"
#include "tests/app/qt/qt_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {
namespace {

using QtMenuTest = QtViewTest;

TEST_F(QtMenuTest, TheProgressDialogStandsOverTheDumpAndItsCancelEndsAPartialFile) {
  const ScratchFolder scratch;
  ScriptedFileDialog files;
  files.answer = (scratch / "dump.vis").string();
  const ScopedSaveDialogHost scopedFiles(files);
  QtProgressHost progress(&host);
  const ScopedProgressHost scopedProgress(progress);
  QString label;  // and whether the main dialog took input meanwhile
  QTimer pressCancel;
  QObject::connect(&pressCancel, &QTimer::timeout, [&] {
    QProgressDialog* shown = progress.Dialog();
    if (shown == nullptr || !shown->isVisible() || shown->value() < 25) return;
    label = shown->labelText() + (dialog->Window().IsWindowEnabled() ? " enabled" : "");
    pressCancel.stop();
    shown->findChild<QPushButton*>()->click();
  });
  RunOpen([&](DialogView& view) {
    EXPECT_EQ(view.WidgetFor(IDC_CONTRAST_SLIDER)->toolTip().toStdString(),
              view.Window().Find(IDC_CONTRAST_SLIDER)->tip);
    pressCancel.start(0);
    view.Window().UserSystemCommand(IDM_SAVE_EEPROM_DUMP, 0);
    EXPECT_EQ(progress.Dialog(), nullptr);
    EXPECT_TRUE(view.Window().IsWindowEnabled());
  });
  EXPECT_EQ(label, QStringLiteral("Block 2 of 4"));
  const auto lines = CrLfLines(ReadFileBytes(*files.answer));
  ASSERT_GT(lines.size(), 20u);
  EXPECT_LT(lines.size(), 73u);
  EXPECT_NE(lines.back().find("??"), std::string::npos) << lines.back();
}

}  // namespace
}  // namespace torvix::testing
