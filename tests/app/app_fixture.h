// SPDX-License-Identifier: MIT
// The program on the in-process virtual camera, run by a scripted modal host.
#pragma once

#include <functional>

#include "tests/support/main_dialog_rig.h"
#include "tests/support/scripted_hosts.h"

namespace torvix::testing {

// What a slider/edit pair shows for one setting: the thumb's position and the edit's text.
struct PairShown {
  int sliderId;
  int editId;
  int position;
  const char* text;
};

class AppFixture : public MainDialogRig {
 protected:
  // A dialog that has run its start-up (OnInitDialog) and waits in its modal loop.
  CMyTorvix_ControllerDlg& Start() {
    modal.steps.push_front([this](DialogWindow& window) {
      if (whileOpen) whileOpen(window);
    });
    NewDialog().DoModal(modal);
    return *dialog;
  }

  // Starts the dialog and runs body while it is open, as a user action would.
  void RunOpen(std::function<void()> body) {
    whileOpen = [body = std::move(body)](DialogWindow&) { body(); };
    Start();
  }

  const ControlState& Control(int id) const { return *dialog->Window().Find(id); }

  ScriptedModalHost modal;
  // What the user does while the dialog is open; the loop ends when it returns.
  std::function<void(DialogWindow&)> whileOpen;
};

}  // namespace torvix::testing
