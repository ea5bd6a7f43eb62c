// SPDX-License-Identifier: MIT
#include "app/program_options.h"

#include <string>

#include "torvix_version.h"

namespace torvix {

namespace {

constexpr std::size_t kWidth = 88;

constexpr char kHead[] =
    "Usage: Torvix_Controller [--help | --version]\n"
    "Opens the camera's DSP settings panel. The adapter is the Quorlink library's choice:\n";
constexpr char kTail[] =
    "  --help, -h   show this text\n"
    "  --version    show the version\n"
#if defined(_WIN32)
    "See doc\\user-guide.md.\n";
#else
    "See Torvix_Controller(1).\n";
#endif

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
