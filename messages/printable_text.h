// SPDX-License-Identifier: MIT
// Text from outside (a profile's key, a value typed, an adapter's name from its kernel driver)
// as a message quotes it: control characters, a zero byte among them, as \u00NN, the way a
// profile writes them, so nothing after them is lost, a TAB splits no column and an ESC does
// not act on the terminal.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace torvix {

inline std::string Printable(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      shown += c;
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
    shown += escape;
  }
  return shown;
}

}  // namespace torvix
