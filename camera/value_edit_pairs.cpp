// SPDX-License-Identifier: MIT
#include "camera/value_edit_pairs.h"

#include <cctype>
#include <cstdio>

#include "camera/register_map.h"

namespace torvix {

namespace {

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

unsigned hexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  return static_cast<unsigned>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
}

}  // namespace

std::optional<uint8_t> ParseTwoHexDigits(std::string_view text) {
  if (text.size() != 2 || !isHexDigit(text[0]) || !isHexDigit(text[1])) return std::nullopt;
  return static_cast<uint8_t>(hexValue(text[0]) * 16 + hexValue(text[1]));
}

std::optional<unsigned> ParseLeadingHexRun(std::string_view text) {
  if (text.size() < 2 || !isHexDigit(text[0]) || !isHexDigit(text[1])) return std::nullopt;
  const std::string_view read = text.substr(0, kValueEditReadLimit);
  unsigned value = 0;
  for (char c : read) {
    if (!isHexDigit(c)) break;
    value = value * 16 + hexValue(c);
  }
  return value;
}

std::string HexText(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%2.2x", value & 0xFFFFu);
  return text;
}

std::optional<unsigned> ParseValueEdit(const ValueEditPair& pair, std::string_view text) {
  if (pair.parse == ValueEditParse::LeadingHexRun) return ParseLeadingHexRun(text);
  return ParseTwoHexDigits(text);
}

std::optional<EditValue> ReadValueEdit(const ValueEditPair& pair, std::string_view text) {
  const std::optional<unsigned> typed = ParseValueEdit(pair, text);
  if (!typed) return std::nullopt;
  const uint8_t value = ClampToRange(*typed, pair.minimum, pair.maximum);
  return EditValue{value, value != *typed};
}

}  // namespace torvix
