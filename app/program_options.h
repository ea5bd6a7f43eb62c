// SPDX-License-Identifier: MIT
// The window's command line: --device SPEC chooses the adapter, --help and --version are
// answered on stdout before any window opens; everything else is left to the toolkit (Qt's
// -platform and its kin). Both views' mains ask here first.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>

namespace torvix {

// Takes --device SPEC (or --device=SPEC) out of the arguments, shortening argv and argc, and
// sets QUORLINK_DEVICE to SPEC for the process, before the library first reads it: a Windows
// user starts the window on an adapter from a shortcut, without a variable. The exit code,
// with the words on err, when SPEC is missing; else nothing.
std::optional<int> TakeDeviceOption(int& argc, char** argv, std::ostream& err);

// The exit code when the first argument asked for text, else nothing. The help tells the
// device setting's values in the words of deviceSetting, which the library's table of
// transports gives (the views hand them over: the program reaches the library only through
// the camera link).
std::optional<int> AnswerProgramOptions(int argc, const char* const* argv,
                                        std::string_view deviceSetting, std::ostream& out);

}  // namespace torvix
