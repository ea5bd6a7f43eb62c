// SPDX-License-Identifier: MIT
// Where the program asks the user for the name of a file to save, or of one to read: the Qt
// view's file dialog on a screen, a script in the tests.
//
// The host in force is a seam like the clock: the program installs its host once, for the
// life of the main dialog, with a ScopedSaveDialogHost. With none installed every request is
// answered as if the user had cancelled, so nothing is read and nothing is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvix {

struct FileFilter {
  std::string description;  // "Text Files(*.txt)"
  std::string pattern;      // "*.txt"
};

struct SaveDialogRequest {
  std::vector<FileFilter> filters;
  std::size_t selectedFilter = 0;  // the filter shown first
  std::string defaultExtension;    // without the dot; appended to a name typed without one
  bool confirmOverwrite = true;    // ask before returning a file that exists (it is replaced)
  bool confirmCreate = true;       // ask before returning a file that does not exist yet
};

class SaveDialogHost {
 public:
  virtual ~SaveDialogHost() = default;
  // Shows the dialog modally. The chosen path, with the default extension appended where the
  // name had none and both confirmations answered yes; nullopt when the user cancelled.
  virtual std::optional<std::string> AskSavePath(const SaveDialogRequest& request) = 0;
  // Shows the dialog for a file to read, with the request's filters; the confirmations do not
  // apply. The chosen path of an existing file; nullopt when the user cancelled. A host that
  // cannot open files answers as if the user had cancelled.
  virtual std::optional<std::string> AskOpenPath(const SaveDialogRequest& request);
};

// The host in force.
SaveDialogHost& CurrentSaveDialogHost();

// Installs a host for the lifetime of this object and restores the previous one after.
class ScopedSaveDialogHost {
 public:
  explicit ScopedSaveDialogHost(SaveDialogHost& host);
  ~ScopedSaveDialogHost();
  ScopedSaveDialogHost(const ScopedSaveDialogHost&) = delete;
  ScopedSaveDialogHost& operator=(const ScopedSaveDialogHost&) = delete;

 private:
  SaveDialogHost* previous_;
};

// The question a host asks (Yes / No) before it returns path: for an existing file when the
// request confirms overwriting, for a new one when it confirms creating; nullopt when the
// request asks nothing for this path.
std::optional<std::string> SaveConfirmationQuestion(const SaveDialogRequest& request,
                                                    std::string_view path, bool exists);

// name with "." + extension appended when its last path component has no extension of its
// own ("dump" -> "dump.vis", "dump.txt" stays); an empty extension changes nothing. For hosts
// whose toolkit does not do it.
std::string WithDefaultExtension(std::string_view name, std::string_view extension);

}  // namespace torvix
