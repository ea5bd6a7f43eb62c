// SPDX-License-Identifier: MIT
#include "window/save_dialog_host.h"

namespace torvix {

namespace {

class CancellingSaveDialogHost final : public SaveDialogHost {
 public:
  std::optional<std::string> AskSavePath(const SaveDialogRequest&) override { return std::nullopt; }
};

CancellingSaveDialogHost noHost;
SaveDialogHost* current = &noHost;

}  // namespace

std::optional<std::string> SaveDialogHost::AskOpenPath(const SaveDialogRequest&) {
  return std::nullopt;
}

SaveDialogHost& CurrentSaveDialogHost() { return *current; }

ScopedSaveDialogHost::ScopedSaveDialogHost(SaveDialogHost& host) : previous_(current) {
  current = &host;
}

ScopedSaveDialogHost::~ScopedSaveDialogHost() { current = previous_; }

std::optional<std::string> SaveConfirmationQuestion(const SaveDialogRequest& request,
                                                    std::string_view path, bool exists) {
  if (exists && request.confirmOverwrite) {
    return std::string(path) + " already exists.\nDo you want to replace it?";
  }
  if (!exists && request.confirmCreate) {
    return std::string(path) + " does not exist.\nDo you want to create it?";
  }
  return std::nullopt;
}

std::string WithDefaultExtension(std::string_view name, std::string_view extension) {
  std::string path(name);
  if (extension.empty() || path.empty()) return path;
  const std::size_t lastSeparator = path.find_last_of("/\\");
  const std::size_t baseStart = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;
  if (baseStart == path.size()) return path;  // a folder, not a file name
  // A leading dot names a hidden file ("/home/t/.dump"), not an extension.
  const std::size_t dot = path.find('.', baseStart + 1);
  if (dot != std::string::npos && dot + 1 < path.size()) return path;
  if (dot + 1 == path.size()) path.pop_back();  // "dump." takes the extension, not "dump..vis"
  path += '.';
  path += extension;
  return path;
}

}  // namespace torvix
