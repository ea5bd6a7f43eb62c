// SPDX-License-Identifier: MIT
#include "profiles/json_key_lines.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace torvix {

namespace {

using Json = nlohmann::json;

// The line of the last character the parser took. When a key's event arrives the parser has
// just read the key's closing quote, so this is the key's line; when it stops on a fault, the
// fault's.
struct ReadPosition {
  int next = 1;
  int last = 1;
};

// Walks the text for the parser and keeps position up to date.
class LineCountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  LineCountingIterator(const char* at, ReadPosition* position) : at_(at), position_(position) {}

  reference operator*() const { return *at_; }
  LineCountingIterator& operator++() {
    position_->last = position_->next;
    if (*at_ == '\n') ++position_->next;
    ++at_;
    return *this;
  }
  LineCountingIterator operator++(int) {
    LineCountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const LineCountingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const LineCountingIterator& other) const { return at_ != other.at_; }

 private:
  const char* at_;
  ReadPosition* position_;
};

// The objects and arrays the parser is inside, each with the key it is at, to name the field
// of a value that could not be read.
struct OpenContainer {
  std::string key;
};

std::string innermostField(const std::vector<OpenContainer>& open) {
  const auto named = std::find_if(open.rbegin(), open.rend(),
                                  [](const OpenContainer& c) { return !c.key.empty(); });
  return named == open.rend() ? std::string{} : named->key;
}

// "[json.exception.parse_error.101] parse error at line 4, column 1: syntax error ..." ->
// "syntax error ...": the line is ours to give, the library's codes mean nothing to a user.
std::string libraryWords(const std::string& what) {
  std::string words = what;
  const std::size_t code = words.find("] ");
  if (code != std::string::npos) words = words.substr(code + 2);
  const std::size_t column =
      words.rfind("parse error", 0) == 0 ? words.find("column ") : std::string::npos;
  const std::size_t colon = column == std::string::npos ? column : words.find(": ", column);
  return colon == std::string::npos ? words : words.substr(colon + 2);
}

}  // namespace

bool ReadJsonWithKeyLines(std::string_view text, Json& document, std::vector<JsonKeyLine>& keys,
                          JsonFault& fault) {
  keys.clear();
  ReadPosition position;
  std::vector<OpenContainer> open;
  const Json::parser_callback_t recordKeys = [&](int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start: open.push_back({}); break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        if (!open.empty()) open.pop_back();
        break;
      case Json::parse_event_t::key:
        open.back().key = parsed.get<std::string>();
        keys.push_back({static_cast<int>(open.size()), open.back().key, position.last});
        break;
      case Json::parse_event_t::value: break;
    }
    return true;
  };
  const LineCountingIterator begin(text.data(), &position);
  const LineCountingIterator end(text.data() + text.size(), &position);
  try {
    document = Json::parse(begin, end, recordKeys);
    return true;
  } catch (const Json::parse_error& e) {
    fault.what = libraryWords(e.what());
    if (!keys.empty()) fault.what += " (after field '" + keys.back().key + "')";
  } catch (const std::exception& e) {
    // A number beyond every type's range, and whatever else the library may throw.
    const std::string field = innermostField(open);
    fault.what = (field.empty() ? "" : field + ": ") + libraryWords(e.what());
  }
  fault.line = position.last;
  return false;
}

}  // namespace torvix
