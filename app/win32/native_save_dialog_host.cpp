#include "app/win32/native_save_dialog_host.h"

#include <commdlg.h>

namespace torvix {

std::string NativeFilterList(const SaveDialogRequest& request) {
  std::string list;
  for (const FileFilter& filter : request.filters) {
    list += filter.description;
    list += '\0';
    list += filter.pattern;
    list += '\0';
  }
  list += '\0';
  return list;
}

std::optional<std::string> NativeSaveDialogHost::AskSavePath(const SaveDialogRequest& request) {
  const std::string filters = NativeFilterList(request);
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  // Owned by the open dialog, so no handler can start under the one that is asking.
  dialog.hwndOwner = windows_.TopWindow();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.selectedFilter + 1);
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.Flags = OFN_EXPLORER | OFN_NOTESTFILECREATE;
  if (request.confirmCreate) dialog.Flags |= OFN_CREATEPROMPT;
  if (request.confirmOverwrite) dialog.Flags |= OFN_OVERWRITEPROMPT;
  const std::string& extension = request.defaultExtension;
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  if (!::GetSaveFileNameA(&dialog)) return std::nullopt;
  return std::string(path);
}

}  // namespace torvix
