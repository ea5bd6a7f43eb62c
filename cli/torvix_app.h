// SPDX-License-Identifier: MIT
// The command line torvix understands, as CLI11 reads it: the global options, the commands and
// the options of each. RunTorvix parses with it, and the bash completion is made from it, so a
// new command or option reaches both.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_session.h"

namespace torvix {

struct TorvixOptions {
  std::string device;
  std::string address = "0x70";
  bool json = false;
  bool valueOnly = false;  // get -v
  bool verify = false;
  bool yes = false;
  bool dryRun = false;
  bool withHeldBack = false;  // --with-address
  std::vector<std::string> names;
  std::string file;
  bool noDevice = false;  // a command that does not reach the camera
};

using TorvixCommand = std::function<int(CliSession&)>;

// The names the positional arguments go by in the help, and so in the completion: a file, a
// setting, or a setting with its value.
inline constexpr char kFileArgument[] = "FILE";
inline constexpr char kSettingArgument[] = "SETTING";
inline constexpr char kAssignmentArgument[] = "NAME=VALUE";

// Defines every option and command on app. After a parse, options holds what the line gave and
// command runs the command it named.
void DefineTorvixApp(CLI::App& app, TorvixOptions& options, TorvixCommand& command);

}  // namespace torvix
