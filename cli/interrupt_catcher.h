// SPDX-License-Identifier: MIT
// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) while a dump or a run of setting
// writes goes on: the handler only notes the signal; the dump's stop, asked before every
// register read, and the writes, before each, read the note and end as the window's Cancel
// does, so an interrupted dump never looks complete and an interrupted apply says where it
// stopped. A signal ignored when torvix started (a background job's SIGINT, nohup's SIGHUP)
// stays ignored: it was meant for other programs.
#pragma once

namespace torvix {

class InterruptCatcher {
 public:
  // Catches the signals from here on; a signal caught before is forgotten.
  InterruptCatcher();
  // Puts the previous handlers back.
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  // The last signal caught, 0 for none.
  int Caught() const;
};

// What a shell reports for a program a signal ended: 129 for SIGHUP, 130 for SIGINT, 143 for
// SIGTERM.
int InterruptedExitCode(int signal);

}  // namespace torvix
