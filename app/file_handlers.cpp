// SPDX-License-Identifier: MIT
// The two "..." buttons of the debug group and their menu entries: ask for a file name, show it
// in the path edit (IDC_FILE_PATH), and write the DSP settings file or the EEPROM dump there.
// From the menu the dump shows its progress and can be stopped, and a stopped one says how much
// of it the file holds.
#include <optional>
#include <string>

#include "app/dump_progress.h"
#include "app/file_handlers.h"
#include "app/main_dialog.h"
#include "dumps/data_line.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"

namespace torvix {

namespace {

// Both files are offered under their own pattern first, then under all files; the user is
// asked before an existing file is replaced and before a new one is created.
SaveDialogRequest saveRequest(const char* description, const char* pattern, const char* extension) {
  SaveDialogRequest request;
  request.filters = {{description, pattern}, {"All Files (*.*)", "*.*"}};
  request.selectedFilter = 0;
  request.defaultExtension = extension;
  request.confirmOverwrite = true;
  request.confirmCreate = true;
  return request;
}

// "FILE holds N of M entries; the rest of its last line is marked ??": N the registers read
// before the stop, M those of a whole dump. The entry the dump stopped at was not read, and the
// lines after it are not written.
std::string cancelledDumpText(const std::string& path, const DumpResult& result, int groups) {
  constexpr int kRowsPerGroup = 16;
  const int read = (result.group * kRowsPerGroup + result.row) * DataLine::kEntries + result.column;
  const int all = groups * kRowsPerGroup * DataLine::kEntries;
  return path + " holds " + std::to_string(read) + " of " + std::to_string(all) +
         " entries; the rest of its last line is marked ??";
}

}  // namespace

SaveDialogRequest DspSettingsSaveRequest() {
  return saveRequest("Text Files(*.txt)", "*.txt", "txt");
}

SaveDialogRequest EepromDumpSaveRequest() {
  return saveRequest("Text Files(*.vis)", "*.vis", "vis");
}

SaveDialogRequest ProfileFileRequest() {
  SaveDialogRequest request = saveRequest("Profiles (*.json)", "*.json", "json");
  request.confirmCreate = false;
  return request;
}

// The path edit shows the chosen path before the file is opened, so it shows it even when the
// file then cannot be written.
void CMyTorvix_ControllerDlg::OnBnClickedBrowseDspRegs() {
  const std::optional<std::string> path =
      CurrentSaveDialogHost().AskSavePath(DspSettingsSaveRequest());
  if (!path) return;
  m_editFilePath.SetWindowText(*path);
  WriteDspSettingsFile(m_link, m_link.Messages(), *path);
}

void CMyTorvix_ControllerDlg::OnBnClickedBrowseEepromDump() {
  const std::optional<std::string> path =
      CurrentSaveDialogHost().AskSavePath(EepromDumpSaveRequest());
  if (!path) return;
  m_editFilePath.SetWindowText(*path);
  WriteEepromDumpFile(m_link, m_link.Messages(), *path);
}

// The same dialogs and writers as the buttons; the dialog takes no input while the progress
// window stands over it. A failure has been told by the writer; a stop is told here, once the
// progress window is gone.
void CMyTorvix_ControllerDlg::DumpFromMenu(const SaveDialogRequest& request, const MenuDump& dump) {
  const std::optional<std::string> path = CurrentSaveDialogHost().AskSavePath(request);
  if (!path) return;
  m_editFilePath.SetWindowText(*path);
  window_.EnableDialog(false);
  DumpResult result;
  {
    DumpProgressRun run(CurrentProgressHost(), dump.caption, dump.groupWord, dump.groups);
    result = dump.write(m_link, m_link.Messages(), *path, run.Progress(), run.Stop());
  }
  window_.EnableDialog(true);
  if (result.outcome == DumpOutcome::kCancelled) {
    m_link.Messages().Show(cancelledDumpText(*path, result, dump.groups).c_str(), kMessageOk);
  }
}

void CMyTorvix_ControllerDlg::OnSaveDspSettings() {
  DumpFromMenu(DspSettingsSaveRequest(),
               {"Save DSP settings", "Page", kDspFilePages, WriteDspSettingsFile});
}

void CMyTorvix_ControllerDlg::OnSaveEepromDump() {
  DumpFromMenu(EepromDumpSaveRequest(),
               {"Save EEPROM dump", "Block", kEepromFileBlocks, WriteEepromDumpFile});
}

}  // namespace torvix
