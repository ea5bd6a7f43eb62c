// SPDX-License-Identifier: MIT
// The window's command line: --help and --version are answered on stdout before any window
// opens; everything else is left to the toolkit (Qt's -platform and its kin), as the program
// reads no arguments of its own. Both views' mains ask here first.
#pragma once

#include <optional>
#include <ostream>

namespace torvix {

// The exit code when the first argument asked for text, else nothing.
std::optional<int> AnswerProgramOptions(int argc, const char* const* argv, std::ostream& out);

}  // namespace torvix
