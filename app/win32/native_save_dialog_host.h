// SPDX-License-Identifier: MIT
// File names from the platform's file dialogs: the request's filters, the first one selected,
// its default extension, and for saving the platform's own questions before a file is replaced
// or created.
#pragma once

#include <string>

#include "app/win32/native_modal_host.h"
#include "window/save_dialog_host.h"

namespace torvix {

class NativeSaveDialogHost final : public SaveDialogHost {
 public:
  explicit NativeSaveDialogHost(const NativeModalHost& windows) : windows_(windows) {}
  std::optional<std::string> AskSavePath(const SaveDialogRequest& request) override;
  std::optional<std::string> AskOpenPath(const SaveDialogRequest& request) override;

 private:
  const NativeModalHost& windows_;
};

}  // namespace torvix
