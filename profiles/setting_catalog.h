// SPDX-License-Identifier: MIT
// The settings as the command line speaks of them: a name, which bits a write may change, the
// values it accepts, and the words for what a value means.
//
// A value on the command line or in a profile is a register value. A setting whose control owns
// only some bits of its register (a check box in a shared register) changes only those bits;
// the others stay as the camera has them, exactly as the panel does it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "camera/settings_table.h"

namespace torvix {

// A word accepted for a value: it sets the bits of mask to value.
struct ValueName {
  const char* text;
  uint8_t value;
  uint8_t mask;
};

// A part of a value that settings prints under a word of its own: a number in the field's bits
// ("Vertical 3") or a flag ("V-flip on"). DescribeValue joins the parts with ", "; the same
// words, all of them or some, are a value ParseSettingValue takes, changing only their bits.
struct ValueField {
  const char* word;
  uint8_t mask;  // the field's bits, next to each other
  bool flag;     // on/off rather than a number
};

struct CliSetting {
  SettingId id;
  const char* name;
  bool writable;
  uint8_t ownedMask;  // the bits a write changes
  uint8_t rangeMask;  // the bits the range below applies to
  uint8_t minimum;
  uint8_t maximum;
  std::span<const uint8_t> allowed;  // when not empty: the only values accepted
  std::span<const ValueName> names;
  std::span<const ValueField> fields = {};
};

// What a value asks for: the bits of mask set to value, the rest kept.
struct ValueRequest {
  uint8_t value;
  uint8_t mask;
  // false only for a register value outside the setting's range that the caller chose to take
  // (OutOfRange::kTaken): a camera may hold one, and a profile saved from it must read back.
  bool inRange = true;
};

// What the checks do with a register value (0x00 to 0xff) outside the setting's range.
enum class OutOfRange { kRefused, kTaken };

inline uint8_t ApplyRequest(uint8_t current, ValueRequest request) {
  return static_cast<uint8_t>((current & ~request.mask) | (request.value & request.mask));
}

const CliSetting& CliSettingOf(SettingId id);

// By name (any case) or by register ("0x57"); nullptr when neither names a setting.
const CliSetting* FindCliSetting(std::string_view text);

// Names and value words are matched without regard to case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The accepted values as the error messages state them: "0x38-0x54", "0x00 or 0x07", ...
std::string RangeText(const CliSetting& setting);

// A value given as text: a number (0x hex, or decimal), one of the setting's words, or its
// fields' words ("Vertical 3, Horizontal 2"). On
// failure, error holds the whole message for the user ("Error: Contrast value out of range
// (0x38-0x54)!"). With OutOfRange::kTaken a register value outside the range is taken, with
// request.inRange false.
bool ParseSettingValue(const CliSetting& setting, std::string_view text, ValueRequest& request,
                       std::string& error, OutOfRange outOfRange = OutOfRange::kRefused);

// A number already read (a profile's integer), checked the same way.
bool CheckSettingValue(const CliSetting& setting, long long value, ValueRequest& request,
                       std::string& error, OutOfRange outOfRange = OutOfRange::kRefused);

// Whether value lies within what the setting accepts (its range, or its allowed values).
bool InSettingRange(const CliSetting& setting, uint8_t value);

// "Error: Contrast value out of range (0x38-0x54)!"
std::string OutOfRangeError(const CliSetting& setting);

// What the panel would show for value, in its own words; empty for plain numbers.
std::string DescribeValue(SettingId id, uint8_t value);

// "0x%02x" of a byte.
std::string HexByte(uint8_t value);

// A whole text as an unsigned number: 0x hex or decimal, no sign, no trailing junk (a zero byte
// included).
std::optional<unsigned long> ParseNumber(std::string_view text);

}  // namespace torvix
