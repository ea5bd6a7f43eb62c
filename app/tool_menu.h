// SPDX-License-Identifier: MIT
// The dialog's own entries of its system menu, beside About: saving and applying a profile and
// the two register dumps. They go into the system menu, from which a view shows them; the window
// layer delivers the chosen one as a system command, and OnSysCommand runs the entry's member.
#pragma once

#include "app/main_dialog.h"

namespace torvix {

struct ToolMenuEntry {
  unsigned command;
  const char* caption;
  void (CMyTorvix_ControllerDlg::*run)();
};

// The entry of a system command (its low four bits ignored), or nullptr.
const ToolMenuEntry* FindToolMenuEntry(unsigned command);

}  // namespace torvix
