// SPDX-License-Identifier: MIT
// Where a modal dialog of the window layer runs on Windows: a native dialog, run by the
// platform's dialog manager over the dialog that is open already.
#pragma once

#include <vector>

#include "app/win32/native_dialog_view.h"
#include "window/modal_host.h"

namespace torvix {

class NativeModalHost final : public ModalHost {
 public:
  explicit NativeModalHost(HINSTANCE instance) : instance_(instance) {}

  void RunModal(DialogWindow& window) override;
  // The innermost open dialog, which owns message boxes and save dialogs; nullptr when none.
  HWND TopWindow() const;

 private:
  HINSTANCE instance_;
  std::vector<const NativeDialogView*> open_;
};

}  // namespace torvix
