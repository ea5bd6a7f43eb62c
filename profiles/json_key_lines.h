// SPDX-License-Identifier: MIT
// A JSON text read with the line of each object key: the parsed document forgets its lines,
// but a technician who mistyped a profile needs to be told which line to fix.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace torvix {

struct JsonKeyLine {
  int depth;        // 1 for the keys of the outermost object
  std::string key;  // decoded: "Contr\u0061st" is "Contrast"
  int line;         // 1-based
};

// What kept a text from being read: the line, and the JSON library's words with the field
// they concern ("Contrast: number overflow parsing '1e400'") or the field they follow.
struct JsonFault {
  int line = 1;
  std::string what;
};

// Parses text into document and lists every object key in the order of the text. On any fault
// the JSON library reports (syntax, a number out of every type's range, ...) returns false with
// fault filled in; nothing is thrown.
bool ReadJsonWithKeyLines(std::string_view text, nlohmann::json& document,
                          std::vector<JsonKeyLine>& keys, JsonFault& fault);

}  // namespace torvix
