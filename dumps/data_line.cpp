// SPDX-License-Identifier: MIT
#include "dumps/data_line.h"

namespace torvix {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr char kNoValue = '?';

}  // namespace

void DataLine::Clear() {
  for (std::size_t i = 0; i < kLength; ++i) text_[i] = (i % 3 == 2) ? ' ' : kNoValue;
}

void DataLine::Set(int column, uint8_t value) {
  if (column < 0 || column >= kEntries) return;
  const std::size_t at = static_cast<std::size_t>(column) * 3;
  text_[at] = kDigits[value >> 4];
  text_[at + 1] = kDigits[value & 0x0F];
}

}  // namespace torvix
