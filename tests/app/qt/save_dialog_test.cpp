// SPDX-License-Identifier: MIT
// The Qt save dialog answered by a driver that acts as the user: it types a name into the file
// dialog and answers each question box from a script.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>

#include "app/qt/qt_save_dialog_host.h"
#include "tests/app/qt/qt_fixture.h"

namespace torvix::testing {
namespace {

struct SaveRun {
  std::optional<std::string> path;
  int dialogsShown = 0;
  QStringList filters;
  QString suffix;
  std::vector<QString> questions;
  QString heldName;  // what the second file dialog's name field held
};

// Types name into the first file dialog shown, which shows "/", accepts what each later one
// holds, and answers the questions in turn.
SaveRun askSavePath(const QString& name, std::deque<QMessageBox::StandardButton> answers) {
  QtApp();
  SaveRun run;
  QTimer driver;
  driver.setInterval(5);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* top = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(top)) {
      run.questions.push_back(box->text());
      const QMessageBox::StandardButton answer =
          answers.empty() ? QMessageBox::No : answers.front();
      if (!answers.empty()) answers.pop_front();
      box->button(answer)->click();
    } else if (auto* files = qobject_cast<QFileDialog*>(top)) {
      ++run.dialogsShown;
      run.filters = files->nameFilters();
      run.suffix = files->defaultSuffix();
      if (run.dialogsShown > 3) {
        files->reject();
        return;
      }
      auto* field = files->findChild<QLineEdit*>();
      if (run.dialogsShown == 1) {
        files->setDirectory(QStringLiteral("/"));
        field->setText(name);
      } else if (run.dialogsShown == 2) {
        run.heldName = field->text();
      }
      static_cast<QDialog*>(files)->accept();
    }
  });
  driver.start();
  SaveDialogRequest request;
  request.filters = {{"Text Files(*.vis)", "*.vis"}, {"All Files (*.*)", "*.*"}};
  request.defaultExtension = "vis";
  QtSaveDialogHost host;
  run.path = host.AskSavePath(request);
  return run;
}

// A No goes back to the dialog in the nearest folder there is, the rest of the path in the name
// field: it came back in "/" holding "tmp/..." when the file's folder did not exist yet.
TEST(QtSaveDialogHostTest, ANewFileTakesTheExtensionAndIsCreatedOnlyAfterAYes) {
  QTemporaryDir dir;
  for (const QString& name : {QStringLiteral("dump"), QStringLiteral("no/such/dump")}) {
    const SaveRun run = askSavePath(dir.filePath(name), {QMessageBox::No, QMessageBox::Yes});
    ASSERT_TRUE(run.path.has_value());
    EXPECT_EQ(*run.path, dir.filePath(name + ".vis").toStdString());
    EXPECT_EQ(run.heldName.toStdString(), (name + ".vis").toStdString());
  }
  const SaveRun run = askSavePath(dir.filePath("dump"), {QMessageBox::No, QMessageBox::Yes});
  EXPECT_EQ(run.dialogsShown, 2) << "a No goes back to the dialog";
  ASSERT_EQ(run.questions.size(), 2u);
  EXPECT_TRUE(run.questions[0].contains(QStringLiteral("does not exist")))
      << run.questions[0].toStdString();
  EXPECT_EQ(run.filters, QStringList({"Text Files(*.vis)", "All Files (*)"}));
  EXPECT_EQ(run.suffix, QStringLiteral("vis"));
}

TEST(QtSaveDialogHostTest, AnExistingFileIsReplacedOnlyAfterAYes) {
  QTemporaryDir dir;
  QFile existing(dir.filePath("old.vis"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  const SaveRun declined = askSavePath(dir.filePath("old.vis"), {});
  EXPECT_FALSE(declined.path.has_value()) << "No every time, then the user cancels";
  ASSERT_FALSE(declined.questions.empty());
  EXPECT_TRUE(declined.questions[0].contains(QStringLiteral("already exists")));

  const SaveRun accepted = askSavePath(dir.filePath("old.vis"), {QMessageBox::Yes});
  ASSERT_TRUE(accepted.path.has_value());
  EXPECT_EQ(*accepted.path, dir.filePath("old.vis").toStdString());
  EXPECT_EQ(accepted.questions.size(), 1u);
}

}  // namespace
}  // namespace torvix::testing
