// SPDX-License-Identifier: MIT
#include "bridge/src/error_strings.h"

#include <array>
#include <string_view>

namespace torvix {

namespace {

constexpr const char* kUnrecognised = "Unrecognised error code";

// Indexed by code. Several texts are kept as callers have always seen them, spelling included.
// clang-format off
constexpr std::array<const char*, 34> kTexts = {
    "There are no Errors",                                  // 0
    "Illegal LPT port ",                                    // 1
    "Illegal bit transmission",                             // 2
    "Arbitration lost",                                     // 3
    "TIME OUT: during bit transmission",                    // 4
    "TIME OUT: Acknowledge Receiver, IC does not respond",  // 5
    "Cannot start, lines not free",                         // 6
    "error in IIC constructor",                             // 7
    "could not generate STOP condition",                    // 8
    "IIC Device not available anymore",                     // 9
    kUnrecognised,                                          // 10
    "USB command error",                                    // 11
    "USB write error",                                      // 12
    "USB read error",                                       // 13
    "IIC Device not present",                               // 14
    "IIC Device not present",                               // 15
    "Not working on this OS",                               // 16
    "GevVersionEx() failed",                                // 17
    "Invalid handle",                                       // 18
    "Giveiopar driver missing",                             // 19
    "No lpt device",                                        // 20
    "Illegal port number",                                  // 21
    "USB device not found",                                 // 22
    "Max devices exeeded",                                  // 23
    kUnrecognised, kUnrecognised, kUnrecognised,            // 24..26
    kUnrecognised, kUnrecognised, kUnrecognised,            // 27..29
    kUnrecognised, kUnrecognised, kUnrecognised,            // 30..32
    "Maximum data length of 64 exceeded",                   // 33
};
// clang-format on
static_assert(kTexts.size() == 34, "one text for every code from 0 to 33");

constexpr bool AllFit() {
  for (const char* text : kTexts) {
    if (std::string_view(text).size() > kLongestErrorText) return false;
  }
  return true;
}
static_assert(AllFit(), "ErrorString's callers supply 52 bytes");

}  // namespace

const char* ErrorText(int16_t code) {
  if (code < 0 || static_cast<std::size_t>(code) >= kTexts.size()) return kUnrecognised;
  return kTexts[static_cast<std::size_t>(code)];
}

}  // namespace torvix
