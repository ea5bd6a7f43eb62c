#include "cli/torvix_cli.h"

#include <cstdlib>
#include <functional>
#include <ostream>

#include <CLI/CLI.hpp>

#include "camera/address_search.h"
#include "camera/camera_link.h"
#include "cli/bus_commands.h"
#include "cli/device_problem.h"
#include "cli/dump_command.h"
#include "cli/exit_codes.h"
#include "cli/link_commands.h"
#include "cli/profile_commands.h"
#include "profiles/setting_catalog.h"
#include "cli/settings_commands.h"
#include "cli/watched_bridge.h"
#include "torvix_version.h"

namespace torvix {

namespace {

struct Options {
  std::string device;
  std::string address = "0x70";
  bool json = false;
  bool verify = false;
  bool yes = false;
  bool dryRun = false;
  bool withHeldBack = false;  // --with-address
  std::vector<std::string> names;
  std::string file;
  bool noDevice = false;  // a command that does not reach the camera
};

using Command = std::function<int(CliSession&)>;

// What --device may name besides sim: the bridge library's QUORLINK_DEVICE on this platform.
#if defined(_WIN32)
constexpr char kDeviceKinds[] = "sim, or a driver device \\\\.\\NAME";
#else
constexpr char kDeviceKinds[] = "sim, i2c:BUS, or a socket path";
#endif

// The same lines as the man page's synopsis.
constexpr char kCommandSummary[] =
    "Commands:\n"
    "  torvix [--device SPEC] [--address 0xNN] settings [--json]\n"
    "  torvix [--device SPEC] [--address 0xNN] get SETTING...\n"
    "  torvix [--device SPEC] [--address 0xNN] set [--verify] NAME=VALUE...\n"
    "  torvix [--device SPEC] [--address 0xNN] dump dsp|eeprom FILE\n"
    "  torvix [--device SPEC] scan\n"
    "  torvix [--device SPEC] [--address 0xNN] reset [-y]\n"
    "  torvix [--device SPEC] [--address 0xNN] profile save [--with-address] FILE\n"
    "  torvix [--device SPEC] [--address 0xNN] profile apply [--dry-run] [--with-address] FILE\n"
    "  torvix buses\n"
    "Exit status: 0 done, 1 camera, board or file error, 2 usage.\n"
    "See torvix(1).";

void addSettingsCommands(CLI::App& app, Options& o, Command& command) {
  CLI::App* settings = app.add_subcommand("settings", "Read all 29 settings from the camera");
  settings->add_flag("--json", o.json, "Print them as a JSON array");
  settings->callback([&] { command = [&](CliSession& s) { return RunSettings(s, o.json); }; });

  CLI::App* get = app.add_subcommand("get", "Read settings by name or register");
  get->add_option("SETTING", o.names, "NAME or register 0xRR")->type_name("")->required();
  get->callback([&] { command = [&](CliSession& s) { return RunGet(s, o.names); }; });

  CLI::App* set = app.add_subcommand("set", "Write settings, each NAME=VALUE");
  set->add_option("NAME=VALUE", o.names, "NAME=VALUE: 0xNN, decimal, or a word shown by settings")
      ->type_name("")->required();
  set->add_flag("--verify", o.verify, "Read the camera back and report a mismatch");
  set->callback([&] { command = [&](CliSession& s) { return RunSet(s, o.names, o.verify); }; });
}

void addDumpCommands(CLI::App& app, Options& o, Command& command) {
  CLI::App* dump = app.add_subcommand("dump", "Write a register dump file");
  dump->require_subcommand(1);
  CLI::App* dsp = dump->add_subcommand("dsp", "All DSP registers, 8 pages of 256 (137 lines)");
  dsp->add_option("FILE", o.file, "file to create or replace")->type_name("")->required();
  dsp->callback([&] { command = [&](CliSession& s) { return RunDump(s, DumpKind::kDsp, o.file); }; });
  CLI::App* eeprom = dump->add_subcommand("eeprom", "The configuration EEPROM, 4 blocks (73 lines)");
  eeprom->add_option("FILE", o.file, "file to create or replace")->type_name("")->required();
  eeprom->callback(
      [&] { command = [&](CliSession& s) { return RunDump(s, DumpKind::kEeprom, o.file); }; });
}

void addLinkCommands(CLI::App& app, Options& o, Command& command) {
  CLI::App* scan = app.add_subcommand("scan", "Search the bus for the camera and print its address");
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
      app.add_subcommand("buses", "List the i2c-dev buses this user may open (Linux)");
  buses->callback([&] {
    o.noDevice = true;
    command = [](CliSession& s) { return RunBuses(s); };
  });
}

void addProfileCommands(CLI::App& app, Options& o, Command& command) {
  CLI::App* profile = app.add_subcommand("profile", "Save or apply a JSON profile of the settings");
  profile->require_subcommand(1);
  CLI::App* save = profile->add_subcommand("save", "Write the camera's writable settings to FILE");
  save->add_option("FILE", o.file, "file to create or replace, - for stdout")->type_name("")->required();
  save->add_flag("--with-address", o.withHeldBack,
                 "Also save CameraAddress, OsdControl and PushToWhite");
  save->callback(
      [&] { command = [&](CliSession& s) { return RunProfileSave(s, o.file, o.withHeldBack); }; });
  CLI::App* apply = profile->add_subcommand("apply", "Write the settings of FILE that differ");
  apply->add_option("FILE", o.file, "the profile to apply, - for stdin")->type_name("")->required();
  apply->add_flag("--dry-run", o.dryRun, "Print what would change, write nothing");
  apply->add_flag("--with-address", o.withHeldBack,
                  "Also write CameraAddress, OsdControl and PushToWhite");
  apply->callback([&] {
    command = [&](CliSession& s) {
      return RunProfileApply(s, o.file, o.dryRun, o.withHeldBack);
    };
  });
}

// The bus address in its 8-bit write form, as every transfer uses it.
bool parseAddress(const std::string& text, uint8_t& address, std::ostream& err) {
  const std::optional<unsigned long> value = ParseNumber(text);
  if (!value) {
    err << "Error: camera address '" << text << "' is not a number\n";
    return false;
  }
  if (*value > kLastProbeAddress) {
    err << "Error: Camera address out of range (0x00-0xfc)!\n";
    return false;
  }
  if ((*value & 1) != 0) {
    err << "Error: camera address " << HexByte(static_cast<uint8_t>(*value))
        << " is odd; give the 8-bit write form (bit 0 clear)\n";
    return false;
  }
  address = static_cast<uint8_t>(*value);
  return true;
}

// CLI11 would only say that a command is required; name the word it did not know instead.
bool unknownCommand(const CLI::App& app, const std::vector<std::string>& args, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--device" || arg == "--address") {
      ++i;
      continue;
    }
    if (arg.empty() || arg[0] == '-') continue;
    for (const CLI::App* command : app.get_subcommands({})) {
      if (command->get_name() == arg) return false;
    }
    err << "Error: unknown command '" << arg << "' (see torvix --help)\n";
    return true;
  }
  return false;
}

}  // namespace

int RunTorvix(const std::vector<std::string>& args, Console& console, BridgeApi& bridge) {
  CLI::App app{"torvix: the Torvix camera's DSP settings from the command line", "torvix"};
  app.require_subcommand(1);
  Options o;
  Command command;
  app.add_option("--device", o.device,
                 std::string("Adapter device: ") + kDeviceKinds + " (sets QUORLINK_DEVICE)")
      ->type_name("SPEC");
  app.add_option("--address", o.address, "Camera bus address, 8-bit form (default 0x70)")
      ->type_name("0xNN");
  app.set_version_flag("--version", std::string("torvix ") + kProductVersion,
                       "Print the version and exit");
  app.footer(kCommandSummary);
  addSettingsCommands(app, o, command);
  addDumpCommands(app, o, command);
  addLinkCommands(app, o, command);
  addProfileCommands(app, o, command);

  if (unknownCommand(app, args, console.err)) return kExitUsage;
  try {
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
  } catch (const CLI::Success& e) {  // --help or --version: the text is the answer
    return app.exit(e, console.out, console.err);
  } catch (const CLI::ParseError& e) {
    app.exit(e, console.out, console.err);
    return kExitUsage;
  }
  uint8_t address = kDefaultCameraBusAddress;
  if (!parseAddress(o.address, address, console.err)) return kExitUsage;
  if (app.get_option("--device")->count() > 0) {
    if (o.device.empty()) {
      console.err << "Error: --device needs a device: " << kDeviceKinds << "\n";
      return kExitUsage;
    }
#if defined(_WIN32)
    ::_putenv_s("QUORLINK_DEVICE", o.device.c_str());
#else
    ::setenv("QUORLINK_DEVICE", o.device.c_str(), 1);
#endif
  }
  if (!command) return kExitUsage;
  if (!o.noDevice && !CheckI2cDevice(console.err)) return kExitFailed;

  ConsoleMessageHost host(console);
  WatchedBridge watched(bridge);
  CameraLink link(watched, host);
  link.Block().CameraBusAddress = address;
  CliSession session{console, host, link};
  const int code = command(session);
  if (watched.OpenFailed()) {
    const std::string problem = DeviceOpenProblem();
    if (!problem.empty()) console.err << problem << '\n';
  }
  const std::string busProblem = I2cBusProblem(watched.OpenFailed(), watched.LastFailure());
  if (!busProblem.empty()) console.err << busProblem << '\n';
  return code;
}

}  // namespace torvix
