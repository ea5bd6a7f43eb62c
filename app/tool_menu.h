// The dialog's own entries of its system menu, beside About: saving and applying a profile and
// the two register dumps. They go into the system menu, from which a view shows them; the window
// layer delivers the chosen one as a system command, and OnSysCommand runs the entry's member.
#pragma once

#include "app/main_dialog.h"

namespace torvix {

// System commands: below the platform's own (0xF000) with the low four bits clear.
inline constexpr unsigned IDM_SAVE_PROFILE = 0x0100;
inline constexpr unsigned IDM_APPLY_PROFILE = 0x0110;
inline constexpr unsigned IDM_SAVE_DSP_SETTINGS = 0x0120;
inline constexpr unsigned IDM_SAVE_EEPROM_DUMP = 0x0130;

struct ToolMenuEntry {
  unsigned command;
  const char* caption;
  void (CMyTorvix_ControllerDlg::*run)();
};

// The entry of a system command (its low four bits ignored), or nullptr.
const ToolMenuEntry* FindToolMenuEntry(unsigned command);

}  // namespace torvix
