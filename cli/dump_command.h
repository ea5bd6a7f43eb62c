// SPDX-License-Identifier: MIT
// torvix dump dsp|eeprom FILE: the window's two dump writers, with a progress bar on a
// terminal and a word and an exit code when the file came out incomplete. FILE "-" is standard
// output: the dump is spooled to a file of its own and copied there once it ends, complete or
// not, so stdout carries the same bytes a file would.
//
// Unlike the window, the command reads the camera once before it touches FILE, so a missing
// board leaves an earlier dump as it was. SIGINT and SIGTERM stop the dump as the window's
// Cancel does: the file ends with "??" at the entry that was next, and the exit code is
// 128 + the signal. The progress bar and every message go to stderr.
#pragma once

#include <string>

#include "cli/cli_session.h"

namespace torvix {

enum class DumpKind { kDsp, kEeprom };

int RunDump(CliSession& session, DumpKind kind, const std::string& path);

// "\r[#####               ]  25% " : the bar redrawn in place.
std::string ProgressBar(int done, int total);

}  // namespace torvix
