// SPDX-License-Identifier: MIT
#include "app/win32/native_save_dialog_host.h"

#include <commdlg.h>

namespace torvix {

namespace {

// The filter list as the file dialogs take it: description and pattern of each filter, each
// ended by a zero byte, and one more zero byte at the end.
std::string nativeFilterList(const SaveDialogRequest& request) {
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

using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);

std::optional<std::string> askPath(FileDialog show, HWND owner, const SaveDialogRequest& request,
                                   DWORD flags) {
  const std::string filters = nativeFilterList(request);
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  // Owned by the open dialog, so no handler can start under the one that is asking.
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.selectedFilter + 1);
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.Flags = OFN_EXPLORER | flags;
  const std::string& extension = request.defaultExtension;
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  if (!show(&dialog)) return std::nullopt;
  return std::string(path);
}

}  // namespace

std::optional<std::string> NativeSaveDialogHost::AskSavePath(const SaveDialogRequest& request) {
  DWORD flags = OFN_NOTESTFILECREATE;
  if (request.confirmCreate) flags |= OFN_CREATEPROMPT;
  if (request.confirmOverwrite) flags |= OFN_OVERWRITEPROMPT;
  return askPath(&::GetSaveFileNameA, windows_.TopWindow(), request, flags);
}

std::optional<std::string> NativeSaveDialogHost::AskOpenPath(const SaveDialogRequest& request) {
  return askPath(&::GetOpenFileNameA, windows_.TopWindow(), request,
                 OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
}

}  // namespace torvix
