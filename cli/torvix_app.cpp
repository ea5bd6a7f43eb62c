// SPDX-License-Identifier: MIT
#include "cli/torvix_app.h"

#include "bridge/devices/device_words.h"
#include "cli/bus_commands.h"
#include "cli/dump_command.h"
#include "cli/link_commands.h"
#include "cli/profile_commands.h"
#include "cli/settings_commands.h"
#include "torvix_version.h"

namespace torvix {

namespace {

// The same lines as the man page's synopsis.
constexpr char kCommandSummary[] =
    "Commands:\n"
    "  torvix [--device SPEC] [--address 0xNN] settings [--json]\n"
    "  torvix [--device SPEC] [--address 0xNN] get [--json | -v] SETTING...\n"
    "  torvix [--device SPEC] [--address 0xNN] set [--verify] NAME=VALUE...\n"
    "  torvix [--device SPEC] [--address 0xNN] dump dsp|eeprom FILE|-\n"
    "  torvix [--device SPEC] scan\n"
    "  torvix [--device SPEC] [--address 0xNN] reset [-y]\n"
    "  torvix [--device SPEC] [--address 0xNN] profile save [--with-address] FILE\n"
    "  torvix [--device SPEC] [--address 0xNN] profile apply [--dry-run] [--with-address] FILE\n"
    "  torvix buses\n"
    "Exit status: 0 done, 1 camera, board or file error, 2 usage.\n"
    "See torvix(1).";

void addSettingsCommands(CLI::App& app, TorvixOptions& o, TorvixCommand& command) {
  CLI::App* settings =
      app.add_subcommand("settings",
                         "Read all 29 settings, with the range and factory default of each");
  settings->add_flag("--json", o.json, "Print them as a JSON array");
  settings->callback([&] { command = [&](CliSession& s) { return RunSettings(s, o.json); }; });

  CLI::App* get = app.add_subcommand("get", "Read settings by name or register");
  get->add_option(kSettingArgument, o.names, "NAME or register 0xRR")->type_name("")->required();
  CLI::Option* json = get->add_flag("--json", o.json, "Print them as settings --json does");
  get->add_flag("-v,--value", o.valueOnly, "Print only the values (0x3c), one a line")
      ->excludes(json);
  get->callback([&] {
    command = [&](CliSession& s) {
      const GetForm form = o.json ? GetForm::kJson : o.valueOnly ? GetForm::kValue : GetForm::kLine;
      return RunGet(s, o.names, form);
    };
  });

  CLI::App* set = app.add_subcommand("set", "Write settings, each NAME=VALUE");
  set->add_option(kAssignmentArgument, o.names,
                  "NAME=VALUE: 0xNN, decimal, or the words settings shows")
      ->type_name("")
      ->required();
  set->add_flag("--verify", o.verify, "Read the camera back and report a mismatch");
  set->callback([&] { command = [&](CliSession& s) { return RunSet(s, o.names, o.verify); }; });
}

void addFileArgument(CLI::App& command, std::string& file, const char* what) {
  command.add_option(kFileArgument, file, what)->type_name("")->required();
}

void addDumpKind(CLI::App& dump, const char* name, const char* what, DumpKind kind,
                 TorvixOptions& o, TorvixCommand& command) {
  CLI::App* kindCommand = dump.add_subcommand(name, what);
  addFileArgument(*kindCommand, o.file, "file to create or replace, - for stdout");
  kindCommand->callback([&o, &command, kind] {
    command = [&o, kind](CliSession& s) { return RunDump(s, kind, o.file); };
  });
}

void addDumpCommands(CLI::App& app, TorvixOptions& o, TorvixCommand& command) {
  CLI::App* dump = app.add_subcommand("dump", "Write a register dump file");
  dump->require_subcommand(1);
  addDumpKind(*dump, "dsp", "All DSP registers, 8 pages of 256 (137 lines)", DumpKind::kDsp, o,
              command);
  addDumpKind(*dump, "eeprom", "The configuration EEPROM, 4 blocks (73 lines)", DumpKind::kEeprom,
              o, command);
}

void addLinkCommands(CLI::App& app, TorvixOptions& o, TorvixCommand& command) {
  CLI::App* scan =
      app.add_subcommand("scan", "Search the bus for the camera and print its address");
  scan->callback([&] { command = [](CliSession& s) { return RunScan(s); }; });

  CLI::App* reset = app.add_subcommand("reset", "Make the camera load its default settings");
  reset->add_flag("-y,--yes", o.yes, "Do not ask for confirmation");
  reset->callback([&] {
    command = [&](CliSession& s) {
      s.host.SetAssumeYes(o.yes);
      return RunReset(s);
    };
  });

  CLI::App* buses =
      app.add_subcommand("buses", "List the " + ListedInWords() + " this user may open");
  buses->callback([&] {
    o.noDevice = true;
    command = [](CliSession& s) { return RunBuses(s); };
  });
}

void addProfileCommands(CLI::App& app, TorvixOptions& o, TorvixCommand& command) {
  CLI::App* profile = app.add_subcommand("profile", "Save or apply a JSON profile of the settings");
  profile->require_subcommand(1);
  CLI::App* save = profile->add_subcommand("save", "Write the camera's writable settings to FILE");
  addFileArgument(*save, o.file, "file to create or replace, - for stdout");
  save->add_flag("--with-address", o.withHeldBack,
                 "Also save CameraAddress, OsdControl and PushToWhite");
  save->callback(
      [&] { command = [&](CliSession& s) { return RunProfileSave(s, o.file, o.withHeldBack); }; });
  CLI::App* apply = profile->add_subcommand("apply", "Write the settings of FILE that differ");
  addFileArgument(*apply, o.file, "the profile to apply, - for stdin");
  apply->add_flag("--dry-run", o.dryRun, "Print what would change, write nothing");
  apply->add_flag("--with-address", o.withHeldBack,
                  "Also write CameraAddress, OsdControl and PushToWhite");
  apply->callback([&] {
    command = [&](CliSession& s) { return RunProfileApply(s, o.file, o.dryRun, o.withHeldBack); };
  });
}

}  // namespace

void DefineTorvixApp(CLI::App& app, TorvixOptions& options, TorvixCommand& command) {
  app.require_subcommand(1);
  app.add_option("--device", options.device,
                 "Adapter device: " + DeviceKindsInWords() + " (sets QUORLINK_DEVICE)")
      ->type_name("SPEC");
  app.add_option("--address", options.address, "Camera bus address, 8-bit form (default 0x70)")
      ->type_name("0xNN");
  app.set_version_flag("--version", std::string("torvix ") + kProductVersion,
                       "Print the version and exit");
  app.footer(kCommandSummary);
  addSettingsCommands(app, options, command);
  addDumpCommands(app, options, command);
  addLinkCommands(app, options, command);
  addProfileCommands(app, options, command);
}

}  // namespace torvix
