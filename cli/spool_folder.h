// SPDX-License-Identifier: MIT
// A folder of our own in the system's temporary folder, for a file that a writer must have by
// path before its bytes go to standard output. It goes, with what it holds, with the object.
#pragma once

#include <filesystem>
#include <string>

namespace torvix {

class SpoolFolder {
 public:
  // Makes the folder, readable by this user only; Made() tells whether it could.
  SpoolFolder();
  ~SpoolFolder();
  SpoolFolder(const SpoolFolder&) = delete;
  SpoolFolder& operator=(const SpoolFolder&) = delete;

  bool Made() const { return !folder_.empty(); }
  // Why the folder could not be made, in the system's words.
  const std::string& Problem() const { return problem_; }
  std::filesystem::path File(const char* name) const { return folder_ / name; }

 private:
  std::filesystem::path folder_;
  std::string problem_;
};

}  // namespace torvix
