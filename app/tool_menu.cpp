// SPDX-License-Identifier: MIT
#include "app/tool_menu.h"

#include <array>

#include "app/resource_ids.h"
#include "window/window_event.h"

namespace torvix {

namespace {

using Dlg = CMyTorvix_ControllerDlg;

constexpr std::array<ToolMenuEntry, 4> kEntries{{
    {IDM_SAVE_PROFILE, "Save profile...", &Dlg::OnSaveProfile},
    {IDM_APPLY_PROFILE, "Apply profile...", &Dlg::OnApplyProfile},
    {IDM_SAVE_DSP_SETTINGS, "Save DSP settings...", &Dlg::OnSaveDspSettings},
    {IDM_SAVE_EEPROM_DUMP, "Save EEPROM dump...", &Dlg::OnSaveEepromDump},
}};

}  // namespace

void CMyTorvix_ControllerDlg::AddToolMenu(std::vector<MenuItem>& menu) {
  window_.AppendSystemMenuItem(menu, {true, 0, ""});
  for (const ToolMenuEntry& entry : kEntries) {
    window_.AppendSystemMenuItem(menu, {false, entry.command, entry.caption});
  }
}

const ToolMenuEntry* FindToolMenuEntry(unsigned command) {
  for (const ToolMenuEntry& entry : kEntries) {
    if (entry.command == (command & kSystemCommandMask)) return &entry;
  }
  return nullptr;
}

}  // namespace torvix
