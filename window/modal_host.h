// SPDX-License-Identifier: MIT
// Where a modal dialog runs its loop: the Qt view on a screen, a script in the tests.
#pragma once

#include "window/dialog_window.h"

namespace torvix {

class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // Called once the dialog's window is initialised; returns when the window has ended
  // (window.Ended()), or when the host gives up on it (no more input to give).
  virtual void RunModal(DialogWindow& window) = 0;
};

}  // namespace torvix
