// SPDX-License-Identifier: MIT
#include "app/program_options.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "torvix_version.h"

namespace torvix {

namespace {

constexpr std::size_t kWidth = 88;

constexpr char kHead[] =
    "Usage: Torvix_Controller [--device SPEC] [--help | --version]\n"
    "Opens the camera's DSP settings panel. The adapter is the Quorlink library's choice:\n";
constexpr char kTail[] =
    "  --device SPEC  the adapter for this run (sets QUORLINK_DEVICE)\n"
    "  --help, -h     show this text\n"
    "  --version      show the version\n"
#if defined(_WIN32)
    "See doc\\user-guide.md.\n";
#else
    "See Torvix_Controller(1).\n";
#endif

constexpr std::string_view kDeviceOption = "--device";
constexpr int kExitUsage = 2;

// text as lines of at most kWidth columns, broken between words.
std::string Wrapped(std::string_view text) {
  std::string lines;
  std::size_t lineStart = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    const bool first = lines.size() == lineStart;
    if (!first && lines.size() - lineStart + 1 + end > kWidth) {
      lines += '\n';
      lineStart = lines.size();
    } else if (!first) {
      lines += ' ';
    }
    lines += text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines + '\n';
}

}  // namespace

std::optional<int> TakeDeviceOption(int& argc, char** argv, std::ostream& err) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool joined = arg.starts_with(kDeviceOption) && arg.size() > kDeviceOption.size() &&
                        arg[kDeviceOption.size()] == '=';
    if (arg != kDeviceOption && !joined) continue;
    const int taken = joined ? 1 : 2;
    const std::string spec(joined         ? arg.substr(kDeviceOption.size() + 1)
                           : i + 1 < argc ? std::string_view(argv[i + 1])
                                          : std::string_view());
    if (spec.empty()) {
      err << "Torvix_Controller: --device needs the adapter's setting (see --help)\n";
      return kExitUsage;
    }
#if defined(_WIN32)
    ::_putenv_s("QUORLINK_DEVICE", spec.c_str());
#else
    ::setenv("QUORLINK_DEVICE", spec.c_str(), 1);
#endif
    std::copy(argv + i + taken, argv + argc + 1, argv + i);  // argv[argc] is null
    argc -= taken;
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<int> AnswerProgramOptions(int argc, const char* const* argv,
                                        std::string_view deviceSetting, std::ostream& out) {
  if (argc < 2) return std::nullopt;
  const std::string_view first = argv[1];
  if (first == "--help" || first == "-h") {
    out << kHead << Wrapped(deviceSetting) << kTail;
    return 0;
  }
  if (first == "--version") {
    out << "Torvix_Controller " << kProductVersion << '\n';
    return 0;
  }
  return std::nullopt;
}

}  // namespace torvix
