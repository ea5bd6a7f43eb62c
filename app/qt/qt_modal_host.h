// SPDX-License-Identifier: MIT
// Runs each modal dialog of the window layer as a real window: builds its view, shows it and
// runs an event loop until the layer's window has ended.
#pragma once

#include <vector>

#include "window/modal_host.h"

class QWidget;

namespace torvix {

class DialogView;

class QtModalHost : public ModalHost {
 public:
  void RunModal(DialogWindow& window) override;
  // The innermost open window (message boxes and file dialogs stand over it), or nullptr.
  QWidget* TopWindow() const;

 protected:
  // The view has been shown with every control from the layer; a test drives it from here.
  virtual void Opened(DialogView&) {}

 private:
  std::vector<DialogView*> open_;
};

}  // namespace torvix
