// SPDX-License-Identifier: MIT
#include "sim/daemon_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "board/socket_path.h"

namespace torvix {

namespace {

// An 8-bit I2C address in write form: 0x00..0xFE, even.
bool ParseAddress8(const std::string& option, const std::string& text, uint8_t& address,
                   std::string& error) {
  char* end = nullptr;
  errno = 0;
  const unsigned long value = text.empty() ? 0 : std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || errno != 0 || text[0] == '-') {
    error = option + ": not a number: '" + text + "'";
    return false;
  }
  if (value > 0xFE || (value & 1) != 0) {
    char message[96];
    std::snprintf(message, sizeof message,
                  "%s: address 0x%lx out of range (even 8-bit address 0x00-0xfe)", option.c_str(),
                  value);
    error = message;
    return false;
  }
  address = static_cast<uint8_t>(value);
  return true;
}

}  // namespace

bool ParseDaemonOptions(const std::vector<std::string>& args, DaemonOptions& options,
                        std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--version") {
      options.version = true;
      continue;
    }
    if (arg == "--group") {
      options.groupAccess = true;
      continue;
    }
    const bool takesValue = arg == "--socket" || arg == "--address" || arg == "--device" ||
                            arg == "--state" || arg == "--log";
    if (!takesValue) {
      error = "unknown option '" + arg + "' (see --help)";
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      error = arg + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--socket") {
      options.socketPath = value;
    } else if (arg == "--state") {
      options.stateFile = value;
    } else if (arg == "--log") {
      options.logFile = value;
    } else if (arg == "--address") {
      if (!ParseAddress8(arg, value, options.cameraAddress8, error)) return false;
    } else {
      uint8_t device = 0;
      if (!ParseAddress8(arg, value, device, error)) return false;
      options.extraDevices8.push_back(device);
    }
  }
  return true;
}

std::string DaemonUsage() {
  return "Usage: zembrel-sim [--socket PATH] [--group] [--address 0xNN] [--device 0xNN]...\n"
         "                   [--state FILE] [--log FILE]\n"
         "Serves a virtual USB-to-I2C adapter board with a virtual camera on a local socket.\n"
         "  --socket PATH    socket to listen on (default: " +
         DefaultSocketPath() +
         ")\n"
         "  --group          let the socket's group connect too (mode 0660; default 0600,\n"
         "                   only the owner)\n"
         "  --address 0xNN   the camera's factory I2C address, 8-bit form 0x00-0xfe, even\n"
         "                   (default 0x70)\n"
         "  --device 0xNN    another device that acknowledges at this address; repeatable\n"
         "  --state FILE     keep the camera's registers and EEPROM in FILE across restarts\n"
         "                   (created when missing, never overwritten when unreadable)\n"
         "  --log FILE       append every bus transfer to FILE\n"
         "  --help, -h       show this text\n"
         "  --version        show the version\n"
         "Exit codes: 0 stopped by SIGINT or SIGTERM, 2 bad arguments, socket or files.\n";
}

}  // namespace torvix
