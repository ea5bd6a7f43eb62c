// Where each key of a JSON text stands: the parsed document forgets its lines, but a technician
// who mistyped a profile needs to be told which line to fix.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace torvix {

struct JsonKeyLine {
  int depth;        // 1 for the keys of the outermost object
  std::string key;  // as written between the quotes, escapes untouched
  int line;         // 1-based
};

// The object keys of text in the order they appear, up to byte limit. The text need not be
// valid JSON: a broken file still gives the keys before the break.
std::vector<JsonKeyLine> JsonKeyLines(std::string_view text,
                                      std::size_t limit = std::string_view::npos);

// The 1-based line of a byte offset.
int LineOfOffset(std::string_view text, std::size_t offset);

}  // namespace torvix
