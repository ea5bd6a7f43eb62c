#include "cli/json_key_lines.h"

#include <algorithm>

namespace torvix {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

int LineOfOffset(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(offset),
                                         '\n'));
}

std::vector<JsonKeyLine> JsonKeyLines(std::string_view text, std::size_t limit) {
  std::vector<JsonKeyLine> keys;
  const std::size_t end = std::min(limit, text.size());
  int depth = 0;
  int line = 1;
  for (std::size_t at = 0; at < end; ++at) {
    const char c = text[at];
    if (c == '\n') ++line;
    if (c == '{' || c == '[') ++depth;
    if (c == '}' || c == ']') --depth;
    if (c != '"') continue;

    const int stringLine = line;
    std::string word;
    std::size_t next = at + 1;
    for (; next < end && text[next] != '"'; ++next) {
      if (text[next] == '\\' && next + 1 < end) word += text[next++];
      if (text[next] == '\n') ++line;
      word += text[next];
    }
    at = next;  // the closing quote, or the end
    std::size_t after = next + 1;
    while (after < end && isBlank(text[after])) ++after;
    if (after < end && text[after] == ':') keys.push_back({depth, word, stringLine});
  }
  return keys;
}

}  // namespace torvix
