// SPDX-License-Identifier: MIT
// The text file a dump is written to: created or emptied, never appended to, every line ended
// with CR LF whatever the platform.
//
// The file is opened in binary mode and the CR LF is written explicitly, so every platform
// gives the same bytes. Each line is flushed as it is written, so a failed write (disk full)
// shows at the line that failed and the file keeps every line before it.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace torvix {

class DumpTextFile {
 public:
  DumpTextFile() = default;
  ~DumpTextFile();
  DumpTextFile(const DumpTextFile&) = delete;
  DumpTextFile& operator=(const DumpTextFile&) = delete;

  // Creates the file, or empties it when it exists; write only. False on failure, with the
  // cause in Cause(). A path holding a zero byte is refused as a bad path: the system would
  // silently open the shorter name before it.
  bool Open(const std::string& path);
  // Writes text and a CR LF. False on failure, with the cause in Cause().
  bool WriteLine(std::string_view text);
  // Closes the file; false when the last bytes could not be written. Harmless when closed.
  bool Close();

  bool IsOpen() const { return file_ != nullptr; }
  // The cause code of the last failure (file_cause_codes.h), 0 before any failure.
  unsigned Cause() const { return cause_; }

 private:
  bool fail();

  std::FILE* file_ = nullptr;
  unsigned cause_ = 0;
};

}  // namespace torvix
