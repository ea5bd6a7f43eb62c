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

}  // namespace torvix
