// The menu's dump with its progress dialog, cancelled by a click, and the control tips on the
// widgets.
#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "app/qt/qt_progress_host.h"
#include "app/tool_menu.h"
#include "tests/app/qt/qt_fixture.h"
#include "tests/files/dump_fixture.h"

namespace torvix::test {
namespace {

using QtMenuTest = QtViewTest;

TEST_F(QtMenuTest, EveryWidgetShowsTheTipTheLayerHolds) {
  std::size_t tips = 0;
  RunOpen([&](DialogView& view) {
    for (std::size_t i = 0; i < view.WidgetCount(); ++i) {
      const std::string& tip = view.Window().ControlAt(i).tip;
      EXPECT_EQ(view.WidgetAt(i)->toolTip().toStdString(), tip) << i;
      tips += !tip.empty();
    }
  });
  EXPECT_GT(tips, 40u);
}

TEST_F(QtMenuTest, TheProgressDialogStandsOverTheDumpAndItsCancelEndsAPartialFile) {
  const torvix::testing::ScratchFolder scratch;
  const std::string path = (scratch / "dump.vis").string();
  ScriptedFileDialog files;
  files.answer = path;
  const ScopedSaveDialogHost scopedFiles(files);
  QtProgressHost progress(&host);
  const ScopedProgressHost scopedProgress(progress);
  QString label;
  bool mainWindowDisabled = false;
  QTimer pressCancel;
  QObject::connect(&pressCancel, &QTimer::timeout, [&] {
    QProgressDialog* shown = progress.Dialog();
    if (shown == nullptr || !shown->isVisible() || shown->value() < 25) return;
    label = shown->labelText();
    mainWindowDisabled = !dialog->Window().IsWindowEnabled();
    pressCancel.stop();
    shown->findChild<QPushButton*>()->click();
  });
  RunOpen([&](DialogView& view) {
    pressCancel.start(0);
    view.Window().UserSystemCommand(IDM_SAVE_EEPROM_DUMP, 0);
    EXPECT_EQ(progress.Dialog(), nullptr);
    EXPECT_TRUE(view.Window().IsWindowEnabled());
  });
  EXPECT_EQ(label, QStringLiteral("Block 2 of 4"));
  EXPECT_TRUE(mainWindowDisabled);
  const std::vector<std::string> lines =
      torvix::testing::CrLfLines(torvix::testing::ReadBytes(path));
  ASSERT_GT(lines.size(), 20u);
  EXPECT_LT(lines.size(), 73u);
  EXPECT_NE(lines.back().find("??"), std::string::npos) << lines.back();
}

}  // namespace
}  // namespace torvix::test
