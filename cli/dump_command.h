// torvix dump dsp|eeprom FILE: the window's two dump writers, with a progress bar on a
// terminal and a word and an exit code when the file came out incomplete.
#pragma once

#include <string>

#include "cli/cli_session.h"

namespace torvix {

enum class DumpKind { kDsp, kEeprom };

int RunDump(CliSession& session, DumpKind kind, const std::string& path);

// "\r[#####               ]  25% " : the bar redrawn in place.
std::string ProgressBar(int done, int total);

}  // namespace torvix
