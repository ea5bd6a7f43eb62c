// SPDX-License-Identifier: MIT
// The save dialog as a QFileDialog: the request's filters, default extension, and both
// confirmations (replace an existing file, create a new one); and its twin for a file to read.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "window/save_dialog_host.h"

namespace torvix {

class QtModalHost;

// "Text Files(*.txt)" stays exactly as it is; a description without its pattern gets it
// appended. Off Windows "*.*" becomes "*", so "All Files (*.*)" is "All Files (*)" there.
QStringList QtNameFilters(const SaveDialogRequest& request);

class QtSaveDialogHost final : public SaveDialogHost {
 public:
  explicit QtSaveDialogHost(const QtModalHost* windows = nullptr) : windows_(windows) {}
  std::optional<std::string> AskSavePath(const SaveDialogRequest& request) override;
  std::optional<std::string> AskOpenPath(const SaveDialogRequest& request) override;

 private:
  void prepare(QFileDialog& dialog, const SaveDialogRequest& request) const;

  const QtModalHost* windows_;
};

}  // namespace torvix
