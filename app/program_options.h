// SPDX-License-Identifier: MIT
// The window's command line: --help and --version are answered on stdout before any window
// opens; --device SPEC names the adapter for the run, as torvix's --device does; everything
// else is left to the toolkit (Qt's -platform and its kin). Both views' mains ask here first.
#pragma once

#include <optional>
#include <ostream>

namespace torvix {

// Takes --device SPEC (or --device=SPEC) out of the arguments, shortening argv and argc, and
// sets QUORLINK_DEVICE to SPEC for the process, before the library first reads it: a Windows
// user starts the window on an adapter from a shortcut, without a variable. The exit code,
// with the words on err, when SPEC is missing; else nothing.
std::optional<int> TakeDeviceOption(int& argc, char** argv, std::ostream& err);

// The exit code when the first argument asked for text, else nothing.
std::optional<int> AnswerProgramOptions(int argc, const char* const* argv, std::ostream& out);

}  // namespace torvix
