// SPDX-License-Identifier: MIT
// Counting and cutting an edit's text by characters. The window layer keeps text as UTF-8; an
// edit's limit counts characters, and a cut must never leave half of one behind.
#pragma once

#include <cstddef>
#include <string_view>

namespace torvix {

inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

inline std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
  return count;
}

// The bytes of the first character of text (a stray continuation byte counts as one).
inline std::size_t Utf8CharSize(std::string_view text) {
  std::size_t size = text.empty() ? 0 : 1;
  while (size < text.size() && IsUtf8Continuation(text[size])) ++size;
  return size;
}

// The longest start of text that holds at most count characters.
inline std::string_view Utf8Prefix(std::string_view text, std::size_t count) {
  std::size_t bytes = 0;
  for (std::size_t taken = 0; taken < count && bytes < text.size(); ++taken) {
    bytes += Utf8CharSize(text.substr(bytes));
  }
  return text.substr(0, bytes);
}

}  // namespace torvix
