// SPDX-License-Identifier: MIT
// The end of a program's main: what it wrote on standard output must have reached it. A script
// that saved a profile, or asked for --version, onto a full disk must not be told it succeeded,
// and most write errors show only when the buffer is flushed.
#pragma once

namespace torvix {

// Flushes and closes standard output (std::cout writes through C stdio, so both). Returns code
// when everything written reached it; otherwise writes "<prefix>cannot write standard output:
// <reason>" on stderr and returns 1, or code when that already says the run failed.
int CloseStandardOutput(int code, const char* prefix);

// Makes a write to a closed pipe fail (EPIPE), so that CloseStandardOutput says so, instead of
// ending the program without a word (SIGPIPE, exit status 141 from a shell). Called first in
// main. SIGPIPE is caught by a handler that does nothing rather than ignored: a program started
// from here gets the default back (exec keeps an ignored signal, not a caught one). One that
// was ignored when the program started stays so. Nothing to do on Windows.
void FailWritesToClosedPipes();

}  // namespace torvix
