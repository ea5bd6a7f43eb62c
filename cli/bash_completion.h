// SPDX-License-Identifier: MIT
// The bash completion of torvix, made from the command line torvix defines and the settings
// it knows, so no command, option or setting name is written down a second time.
#pragma once

#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

namespace torvix {

// The completion script: the template (the completion logic, cli/torvix.bash.in) with its line
// "@TORVIX_WORDS@" replaced by the functions that name the commands, options, arguments and
// settings of app, and by _torvix_devices, which completes the settings of the library's
// transports. Empty when the template has no such line.
std::string BashCompletion(const CLI::App& app, std::string_view completionTemplate);

}  // namespace torvix
