// SPDX-License-Identifier: MIT
// The window's command line: --help and --version are answered on stdout before any window
// opens; everything else is left to the toolkit (Qt's -platform and its kin), as the program
// reads no arguments of its own. Both views' mains ask here first.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>

namespace torvix {

// The exit code when the first argument asked for text, else nothing. The help tells the
// device setting's values in the words of deviceSetting, which the library's table of
// transports gives (the views hand them over: the program reaches the library only through
// the camera link).
std::optional<int> AnswerProgramOptions(int argc, const char* const* argv,
                                        std::string_view deviceSetting, std::ostream& out);

}  // namespace torvix
