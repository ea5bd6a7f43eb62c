// SPDX-License-Identifier: MIT
// One data line of a dump: 16 register values as two upper-case hex digits, one blank apart.
//
// An entry that holds no value read from the camera (the failed read and every entry after
// it) shows "??", so a line cut short by a failure keeps its layout of 16 entries and its
// 47 characters but can never be taken for register values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace torvix {

class DataLine {
 public:
  static constexpr int kEntries = 16;
  static constexpr std::size_t kLength = kEntries * 3 - 1;  // 47

  DataLine() { Clear(); }

  // Every entry back to "??".
  void Clear();
  // Entry column (0..15) takes value; a column out of range changes nothing.
  void Set(int column, uint8_t value);
  std::string_view Text() const { return {text_.data(), kLength}; }

 private:
  std::array<char, kLength> text_{};
};

}  // namespace torvix
