// SPDX-License-Identifier: MIT
// The thirteen slider / value-edit pairs of the settings panel: what each edits, its range and
// how its edit is read (the program names their controls: app/value_edit_controls.h), and the
// parsing of what the user typed into a value edit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "camera/settings_table.h"

namespace torvix {

// How a clamped value is put back into its edit. A direct text set runs the edit's change
// handling again at once (so the limit is written twice); a bound text push does not.
enum class ClampedTextPath { DirectTextSet, BoundTextPush };

// How the edit's text is read: exactly two hex digits, or (the Edge edit) a leading run of hex
// digits that may go beyond 0xff.
enum class ValueEditParse { TwoHexDigits, LeadingHexRun };

struct ValueEditPair {
  const char* caption;
  SettingId setting;
  uint8_t minimum;
  uint8_t maximum;
  ClampedTextPath clampedText;
  ValueEditParse parse;
};

inline constexpr std::array<ValueEditPair, 13> kValueEditPairs = {{
    {"Y (contrast)", Contrast, 0x38, 0x54, ClampedTextPath::DirectTextSet,
     ValueEditParse::TwoHexDigits},
    {"C (color)", ColorGain, 0x01, 0x2c, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"O (bright)", Brightness, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"AEX Reference Point", AexReference, 0x00, 0x78, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"R-gain", RedGain, 0x00, 0xff, ClampedTextPath::BoundTextPush, ValueEditParse::TwoHexDigits},
    {"B-gain", BlueGain, 0x00, 0xff, ClampedTextPath::BoundTextPush, ValueEditParse::TwoHexDigits},
    {"AGC Start", LlsAgcStart, 0x00, 0xdf, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"Color", LlsColor, 0x00, 0xff, ClampedTextPath::BoundTextPush, ValueEditParse::TwoHexDigits},
    {"Edge", LlsEdge, 0x00, 0xff, ClampedTextPath::BoundTextPush, ValueEditParse::LeadingHexRun},
    {"Level", SharpnessLevel, 0x00, 0x38, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"Gain", AnalogOutputGain, 0x00, 0xf0, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"DN level", DayNightLevel, 0x08, 0x60, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {"AGC Gain max", AgcGainMax, 0x01, 0x80, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
}};

// The pair that edits a setting, or nullptr.
constexpr const ValueEditPair* FindPairOfSetting(SettingId setting) {
  for (const ValueEditPair& pair : kValueEditPairs) {
    if (pair.setting == setting) return &pair;
  }
  return nullptr;
}

// The change handling reads at most this many characters of an edit's text.
inline constexpr std::size_t kValueEditReadLimit = 5;

// A value edit's text: exactly two characters, both hex digits (either case), else none.
// Also the rule of the camera address edit.
std::optional<uint8_t> ParseTwoHexDigits(std::string_view text);

// The Edge edit's text: at least two characters, the first two hex digits; the value is the
// leading run of hex digits among the first five characters, so it may exceed 0xff.
std::optional<unsigned> ParseLeadingHexRun(std::string_view text);

// How the panel shows a value in an edit (a value edit, the address edit, the debug edit):
// "%2.2x", at least two lowercase hex digits. Values there stay far below 0x10000; of a larger
// one the low 16 bits show.
std::string HexText(unsigned value);

// The parse a pair uses.
std::optional<unsigned> ParseValueEdit(const ValueEditPair& pair, std::string_view text);

// What a value edit's text asks for: the value within the pair's range, and whether it had to
// be clamped (the edit then shows the limit instead of what was typed).
struct EditValue {
  uint8_t value;
  bool clamped;
};
std::optional<EditValue> ReadValueEdit(const ValueEditPair& pair, std::string_view text);

}  // namespace torvix
