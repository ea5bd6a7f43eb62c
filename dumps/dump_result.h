// SPDX-License-Identifier: MIT
// How a register dump ended, for callers that need to know (the command-line tool); the
// dialog only relies on the messages the writers have already shown.
#pragma once

#include <functional>

namespace torvix {

enum class DumpOutcome {
  kComplete,     // every register read and every line written
  kReadFailed,   // a read failed; the file ends with the data line that holds it
  kOpenFailed,   // the file could not be created; the camera was not accessed
  kWriteFailed,  // a line could not be written; the file keeps what was written before
  kCancelled,    // stopped by the caller; the file ends as after a failed read at that entry
};

struct DumpResult {
  DumpOutcome outcome = DumpOutcome::kComplete;
  // Where the failed or cancelled read was: page (DSP file) or block (EEPROM), row 0..15,
  // column 0..15.
  int group = -1;
  int row = -1;
  int column = -1;
  // The file cause code of an open or write failure, 0 otherwise (see file_cause_codes.h).
  unsigned cause = 0;
  int linesWritten = 0;

  bool Complete() const { return outcome == DumpOutcome::kComplete; }
};

// Called after each data line with the number of data lines done and the total of a complete
// dump, so a caller can draw progress.
using DumpProgress = std::function<void(int rowsDone, int rowsTotal)>;

// Asked before each register read; true stops the dump there, without that read. The entry and
// the rest of its line show "??", so a stopped file can never be taken for a complete one.
using DumpStop = std::function<bool()>;

}  // namespace torvix
