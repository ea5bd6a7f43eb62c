// SPDX-License-Identifier: MIT
#include "app/qt/qt_save_dialog_host.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/application.h"
#include "app/qt/qt_modal_host.h"

namespace torvix {

namespace {

// Off Windows "*.*" would miss every name without a dot; there "All Files" is "*".
QString qtPattern(const std::string& pattern) {
#ifndef _WIN32
  if (pattern == "*.*") return QStringLiteral("*");
#endif
  return QString::fromStdString(pattern);
}

bool answeredYes(QWidget* parent, const std::string& question) {
  return QMessageBox::question(parent, QString::fromUtf8(kApplicationName),
                               QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

// The folder of path, or the nearest one above it that exists.
QString nearestFolder(const QString& path) {
  QFileInfo folder(QFileInfo(path).absolutePath());
  while (!folder.isDir() && !folder.isRoot()) folder.setFile(folder.absolutePath());
  return folder.absoluteFilePath();
}

}  // namespace

QStringList QtNameFilters(const SaveDialogRequest& request) {
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    const QString description = QString::fromStdString(filter.description);
    const QString pattern = qtPattern(filter.pattern);
    // Qt reads the pattern from the parentheses at the end of the description, blank or not,
    // so a description that names its own pattern is shown exactly as given.
    const QString ownPattern = QStringLiteral("(%1)").arg(QString::fromStdString(filter.pattern));
    if (!description.endsWith(ownPattern)) {
      filters << QStringLiteral("%1 (%2)").arg(description, pattern);
    } else if (pattern == QString::fromStdString(filter.pattern)) {
      filters << description;
    } else {
      filters << description.chopped(ownPattern.size()) + QStringLiteral("(%1)").arg(pattern);
    }
  }
  return filters;
}

void QtSaveDialogHost::prepare(QFileDialog& dialog, const SaveDialogRequest& request) const {
  const QStringList filters = QtNameFilters(request);
  dialog.setNameFilters(filters);
  if (request.selectedFilter < static_cast<std::size_t>(filters.size())) {
    dialog.selectNameFilter(filters.at(static_cast<int>(request.selectedFilter)));
  }
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
}

std::optional<std::string> QtSaveDialogHost::AskOpenPath(const SaveDialogRequest& request) {
  QFileDialog dialog(windows_ != nullptr ? windows_->TopWindow() : nullptr);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  prepare(dialog, request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtSaveDialogHost::AskSavePath(const SaveDialogRequest& request) {
  QWidget* parent = windows_ != nullptr ? windows_->TopWindow() : nullptr;
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  prepare(dialog, request);
  // Both questions are asked below, on the path with its extension, in the words every host
  // uses.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    // The dialog appends the suffix itself; this covers a platform dialog that does not.
    const std::string path = WithDefaultExtension(dialog.selectedFiles().first().toStdString(),
                                                  request.defaultExtension);
    const QString chosen = QString::fromStdString(path);
    const std::optional<std::string> question =
        SaveConfirmationQuestion(request, path, QFileInfo::exists(chosen));
    if (!question || answeredYes(&dialog, *question)) return path;
    // "No" goes back to the dialog, as the platform's does. A folder that does not exist yet
    // cannot be shown: selectFile would leave the dialog where it was and cut the path to fit
    // ("tmp/x/new/dump.vis" in "/"), so it shows the nearest one there is, the rest in the name.
    dialog.setDirectory(nearestFolder(chosen));
    dialog.selectFile(chosen);
  }
}

}  // namespace torvix
