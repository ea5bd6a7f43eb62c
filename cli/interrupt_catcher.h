// SPDX-License-Identifier: MIT
// Ctrl-C (SIGINT) and SIGTERM while a dump runs: the handler only notes the signal; the dump's
// stop, asked before every register read, reads the note and ends the file as the window's
// Cancel does, so an interrupted dump never looks complete.
#pragma once

namespace torvix {

class InterruptCatcher {
 public:
  // Catches both signals from here on; a signal caught before is forgotten.
  InterruptCatcher();
  // Puts the previous handlers back.
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  // The last signal caught, 0 for none.
  int Caught() const;
};

// What a shell reports for a program a signal ended: 130 for SIGINT, 143 for SIGTERM.
int InterruptedExitCode(int signal);

}  // namespace torvix
