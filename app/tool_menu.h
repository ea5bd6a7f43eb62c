// The dialog's own entries of its system menu, beside About: saving and applying a profile and
// the two register dumps. A view lists them (caption, command) and calls them; the window layer
// delivers the command as a system command, and OnSysCommand runs the entry's member.
#pragma once

#include <span>

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

// The four entries in menu order.
std::span<const ToolMenuEntry> ToolMenuEntries();

// The entry of a system command (its low four bits ignored), or nullptr.
const ToolMenuEntry* FindToolMenuEntry(unsigned command);

}  // namespace torvix
