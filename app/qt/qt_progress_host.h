// SPDX-License-Identifier: MIT
// The progress host as a QProgressDialog over the innermost open window: modal, so the dialog
// under it takes no input, and kept painted by the events the writer lets through between two
// register reads.
#pragma once

#include <QPointer>
#include <QProgressDialog>

#include "window/progress_host.h"

namespace torvix {

class QtModalHost;

class QtProgressHost final : public ProgressHost {
 public:
  explicit QtProgressHost(const QtModalHost* windows = nullptr) : windows_(windows) {}
  ~QtProgressHost() override;

  void Begin(const std::string& caption) override;
  void Show(const std::string& text, int percent) override;
  bool StopAsked() override;
  void End() override;

  // The open progress dialog, or nullptr.
  QProgressDialog* Dialog() const { return dialog_; }

 private:
  const QtModalHost* windows_;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace torvix
