// SPDX-License-Identifier: MIT
#include "app/program_options.h"

#include <string_view>

#include "torvix_version.h"

namespace torvix {

namespace {

constexpr char kUsage[] =
    "Usage: Torvix_Controller [--help | --version]\n"
    "Opens the camera's DSP settings panel. The adapter is the Quorlink library's choice:\n"
#if defined(_WIN32)
    "QUORLINK_DEVICE=sim for the virtual camera, \\\\.\\NAME for another driver device,\n"
    "or unset for the adapter's driver, \\\\.\\zembrel-0.\n"
    "  --help, -h   show this text\n"
    "  --version    show the version\n"
    "See doc\\user-guide.md.\n";
#else
    "QUORLINK_DEVICE=sim for the virtual camera, i2c:BUS for a Linux i2c-dev bus, a socket\n"
    "path served by zembrel-sim, or unset for $XDG_RUNTIME_DIR/zembrel-0.\n"
    "  --help, -h   show this text\n"
    "  --version    show the version\n"
    "See Torvix_Controller(1).\n";
#endif

}  // namespace

std::optional<int> AnswerProgramOptions(int argc, const char* const* argv, std::ostream& out) {
  if (argc < 2) return std::nullopt;
  const std::string_view first = argv[1];
  if (first == "--help" || first == "-h") {
    out << kUsage;
    return 0;
  }
  if (first == "--version") {
    out << "Torvix_Controller " << kProductVersion << '\n';
    return 0;
  }
  return std::nullopt;
}

}  // namespace torvix
