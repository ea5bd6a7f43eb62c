// SPDX-License-Identifier: MIT
// The main dialog's table of events: which event of which control runs which handler.
#pragma once

#include <span>
#include <variant>

#include "app/main_dialog.h"

namespace torvix {

using Dlg = CMyTorvix_ControllerDlg;

// The handler shapes of the table: no arguments, the edit's ID, the scroll arguments, the
// system command, or a result (the drag icon).
using EventHandler = std::variant<void (Dlg::*)(), void (Dlg::*)(int), void (Dlg::*)(int, int, int),
                                  void (Dlg::*)(unsigned, long), int (Dlg::*)()>;

inline constexpr int kAnyControl = 0;

struct EventEntry {
  WindowMessage message;
  int code;       // notification of a command event, else 0
  int controlId;  // kAnyControl for window messages and the sliders' shared handler
  const char* handlerName;
  EventHandler handler;
};

// The 42 rows in table order.
std::span<const EventEntry> MainDialogEventTable();

// The first row that takes the event, or nullptr.
const EventEntry* FindEventEntry(const WindowEvent& event);

}  // namespace torvix
