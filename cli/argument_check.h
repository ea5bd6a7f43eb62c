// SPDX-License-Identifier: MIT
// The words of a command line that CLI11 would misname. Left to itself it takes the value of an
// option it does not know for a command ("torvix -d sim settings": "unknown command 'sim'"),
// and after a command it answers only that an argument was not expected.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace torvix {

// Walks args (without the program name) as CLI11 will, against the commands and options app
// defines, and names the first word it does not know: "Error: unknown option '-d' (see torvix
// --help)", "Error: unknown option '--jsn' for settings (see torvix settings --help)", an option
// of torvix given after the command, or "Error: unknown command 'frobnicate' (see torvix
// --help)". True when it said so; false when CLI11 may judge the line.
bool ReportUnknownWord(const CLI::App& app, const std::vector<std::string>& args,
                       std::ostream& err);

// args with an option given an empty value after '=' ("--device=") as the option and an empty
// word, which CLI11 reads as the empty value; given alone it took the next word for the value
// ("--device= settings": a device named settings, and no command).
std::vector<std::string> WithEmptyValuesApart(const std::vector<std::string>& args);

}  // namespace torvix
