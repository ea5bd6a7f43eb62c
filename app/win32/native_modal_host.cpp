// SPDX-License-Identifier: MIT
#include "app/win32/native_modal_host.h"

namespace torvix {

void NativeModalHost::RunModal(DialogWindow& window) {
  NativeDialogView view(window, instance_);
  HWND owner = TopWindow();
  open_.push_back(&view);
  view.Run(owner);
  open_.pop_back();
}

HWND NativeModalHost::TopWindow() const {
  for (auto view = open_.rbegin(); view != open_.rend(); ++view) {
    if ((*view)->Handle() != nullptr) return (*view)->Handle();
  }
  return nullptr;
}

}  // namespace torvix
