// SPDX-License-Identifier: MIT
#include "app/qt/qt_progress_host.h"

#include <QCoreApplication>

#include "app/qt/qt_modal_host.h"

namespace torvix {

QtProgressHost::~QtProgressHost() { End(); }

void QtProgressHost::Begin(const std::string& caption) {
  End();
  QWidget* parent = windows_ != nullptr ? windows_->TopWindow() : nullptr;
  dialog_ = new QProgressDialog(QString(), QStringLiteral("Cancel"), 0, 100, parent);
  dialog_->setWindowTitle(QString::fromStdString(caption));
  dialog_->setWindowModality(Qt::ApplicationModal);
  // Shown at once: a dump takes seconds, and the user should see the Cancel button from the
  // start. Nor may it close or reset itself at 100 %: the writer says when it is done.
  dialog_->setMinimumDuration(0);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->show();
  QCoreApplication::processEvents();
}

void QtProgressHost::Show(const std::string& text, int percent) {
  if (dialog_ == nullptr) return;
  // The bar shows the percent.
  dialog_->setLabelText(QString::fromStdString(text));
  dialog_->setValue(percent);
}

bool QtProgressHost::StopAsked() {
  if (dialog_ == nullptr) return false;
  QCoreApplication::processEvents();
  return dialog_ != nullptr && dialog_->wasCanceled();
}

// The window under it gets the keyboard back, as after any modal window.
void QtProgressHost::End() {
  if (dialog_ == nullptr) return;
  QWidget* parent = dialog_->parentWidget();
  dialog_->hide();
  delete dialog_;
  if (parent != nullptr) parent->activateWindow();
}

}  // namespace torvix
