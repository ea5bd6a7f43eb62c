// SPDX-License-Identifier: MIT
// The devices QUORLINK_DEVICE may name are the library's table of transports: torvix --help and
// Torvix_Controller --help are made from it, the man pages and quorlink.h are written by hand.
// Each of those must name every row (of every system), its setting's form and what an unset
// setting opens, so a new transport cannot leave them behind.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "bridge/devices/transport_table.h"
#include "tests/support/file_bytes.h"

namespace torvix::testing {
namespace {

// A man page's text as it reads: a macro's words (.BR a b: "ab", .B a b: "a b"), escapes
// resolved.
std::string ManText(const std::string& page) {
  std::istringstream lines(page);
  std::string text;
  for (std::string line; std::getline(lines, line);) {
    const bool alternating = std::regex_search(line, std::regex("^\\.[BIR][BIR] "));
    if (line.starts_with(".")) {
      const std::size_t space = line.find(' ');
      line = space == std::string::npos ? "" : line.substr(space + 1);
      line = std::regex_replace(line, std::regex("\""), "");
      if (alternating) line = std::regex_replace(line, std::regex(" "), "");
    }
    text += line + ' ';
  }
  text = std::regex_replace(text, std::regex("\\\\f[BIRP]"), "");
  text = std::regex_replace(text, std::regex("\\\\-"), "-");
  return std::regex_replace(text, std::regex("\\\\e"), "\\");
}

// word as a word of text: "sim", but not "zembrel-sim".
bool Names(const std::string& text, std::string_view word) {
  const std::string escaped =
      std::regex_replace(std::string(word), std::regex("[\\\\.$^*+?()\\[\\]{}|]"), "\\$&");
  return std::regex_search(text, std::regex("(^|[^A-Za-z0-9_-])" + escaped + "($|[^A-Za-z0-9_-])"));
}

void ExpectEveryRowIn(const std::string& text, const std::string& where) {
  for (const TransportRow& row : TransportRows()) {
    for (const std::string_view word : {row.form, row.unsetDevice}) {
      EXPECT_TRUE(word.empty() || Names(text, word)) << where << " names no " << word;
    }
  }
}

TEST(DeviceKinds, TheManPagesNameEveryTransport) {
  for (const char* page : {"torvix.1", "Torvix_Controller.1"}) {
    ExpectEveryRowIn(ManText(ReadFileBytes(std::string(TORVIX_DOCS_DIR) + "/" + page)), page);
  }
}

TEST(DeviceKinds, TheLibrarysHeaderNamesEveryTransport) {
  ExpectEveryRowIn(ReadFileBytes(TORVIX_QUORLINK_H), "quorlink.h");
}

}  // namespace
}  // namespace torvix::testing
