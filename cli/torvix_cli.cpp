// SPDX-License-Identifier: MIT
#include "cli/torvix_cli.h"

#include <cstdlib>
#include <ostream>

#include <CLI/CLI.hpp>

#include "bridge/devices/device_words.h"
#include "camera/address_search.h"
#include "camera/camera_link.h"
#include "cli/address_hint.h"
#include "cli/argument_check.h"
#include "cli/exit_codes.h"
#include "cli/torvix_app.h"
#include "cli/watched_bridge.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

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

// What a run's failures show beyond the library's words: why the device would not open, what it
// shows (an i2c-dev bus gone or held), and, after a failed command, a camera sought at the 7-bit
// form of its address.
void explainFailures(const WatchedBridge& watched, CameraLink& link, int code, std::ostream& err) {
  if (watched.OpenFailed()) {
    const std::string problem = DeviceOpenProblem();
    if (!problem.empty()) err << "Error: " << problem << '\n';
  }
  const std::string shown = DeviceFailureProblem(watched.OpenFailed(), watched.LastFailure());
  if (!shown.empty()) err << "Error: " << shown << '\n';
  if (code != kExitFailed) return;
  const std::string hint =
      SevenBitAddressHint(link, link.Block().CameraBusAddress, watched.LastFailure());
  if (!hint.empty()) err << hint << '\n';
}

}  // namespace

int RunTorvix(const std::vector<std::string>& args, Console& console, BridgeApi& bridge) {
  const std::vector<std::string> words = WithEmptyValuesApart(args);
  CLI::App app{"torvix: the Torvix camera's DSP settings from the command line", "torvix"};
  TorvixOptions o;
  TorvixCommand command;
  DefineTorvixApp(app, o, command);

  if (ReportUnknownWord(app, words, console.err)) return kExitUsage;
  try {
    app.parse(std::vector<std::string>(words.rbegin(), words.rend()));
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
      console.err << "Error: --device needs a device: " << DeviceKindsInWords() << "\n";
      return kExitUsage;
    }
#if defined(_WIN32)
    ::_putenv_s("QUORLINK_DEVICE", o.device.c_str());
#else
    ::setenv("QUORLINK_DEVICE", o.device.c_str(), 1);
#endif
  }
  if (!command) return kExitUsage;
  // A device that shows why it will not open (an i2c-dev bus) is told before anything runs.
  if (!o.noDevice) {
    const std::string problem = DeviceProblemBeforeUse();
    if (!problem.empty()) {
      console.err << "Error: " << problem << '\n';
      return kExitFailed;
    }
  }

  ConsoleMessageHost host(console);
  WatchedBridge watched(bridge);
  CameraLink link(watched, host);
  link.Block().CameraBusAddress = address;
  CliSession session{console, host, link};
  const int code = command(session);
  explainFailures(watched, link, code, console.err);
  return code;
}

}  // namespace torvix
