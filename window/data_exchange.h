// SPDX-License-Identifier: MIT
// The bindings between a dialog's members and its controls, run in either direction.
#pragma once

#include <string>

#include "window/control_handles.h"
#include "window/dialog_window.h"

namespace torvix {

class DataExchange {
 public:
  DataExchange(DialogWindow& window, bool save) : window_(window), save_(save) {}
  DialogWindow& Window() const { return window_; }
  // true: controls into members; false: members into controls.
  bool Saving() const { return save_; }

 private:
  DialogWindow& window_;
  bool save_;
};

// Binds a control handle to the control with the ID (in both directions).
void DDX_Control(DataExchange& exchange, int id, ControlHandle& control);
// The control's whole text; pushing sets it only where it differs from the member.
void DDX_Text(DataExchange& exchange, int id, std::string& value);
// The check state, 0 or 1.
void DDX_Check(DataExchange& exchange, int id, int& value);

}  // namespace torvix
