// SPDX-License-Identifier: MIT
// The writes of a set or a profile apply, one setting after another. Each change is on standard
// output the moment it is written, so a run that is stopped later still tells what it changed
// (an apply's "was" values are the way back). SIGINT, SIGTERM and SIGHUP are caught meanwhile
// (interrupt_catcher.h) and end the run between two writes, in words that say where.
#pragma once

#include <string>

#include "cli/cli_session.h"
#include "cli/interrupt_catcher.h"

namespace torvix {

class SettingWrites {
 public:
  explicit SettingWrites(CliSession& session) : session_(session) {}

  // Writes value to the setting and puts line on standard output: false when the run stops
  // there instead, on a signal (said) or a failed write (said by the link), with Code() set.
  bool Write(SettingId id, uint8_t value, const std::string& line);
  // Settings written so far.
  int Written() const { return written_; }
  // kExitDone, or why the run stopped: a failed write, or 128 + the signal (one that came after
  // the last write too: it still asks the script around us to stop).
  int Code() const;

 private:
  CliSession& session_;
  const InterruptCatcher interrupts_;
  int written_ = 0;
  int code_ = 0;
};

}  // namespace torvix
