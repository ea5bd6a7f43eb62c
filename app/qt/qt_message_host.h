// SPDX-License-Identifier: MIT
// The camera link's message boxes as modal QMessageBox windows: the program's name as caption,
// the buttons and icon that the box type asks for.
#pragma once

#include <QMessageBox>

#include "messages/message_host.h"

namespace torvix {

class QtModalHost;

// The buttons and icon of a classic box type.
QMessageBox::StandardButtons ButtonsOfType(unsigned type);
QMessageBox::Icon IconOfType(unsigned type);
// The classic answer (IDOK 1, IDCANCEL 2, ...) for a button.
int AnswerOf(QMessageBox::StandardButton button);

class QtMessageHost final : public MessageHost {
 public:
  // Boxes stand over the innermost window of this host, when it has one.
  explicit QtMessageHost(const QtModalHost* windows = nullptr) : windows_(windows) {}
  int Show(const char* text, unsigned type) override;

 private:
  const QtModalHost* windows_;
};

}  // namespace torvix
