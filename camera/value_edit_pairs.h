// The thirteen slider / value-edit pairs of the settings panel, in the order the slider
// notifications are matched, and the parsing of what the user typed into a value edit.
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
  int sliderId;
  int editId;
  const char* caption;
  SettingId setting;
  uint8_t minimum;
  uint8_t maximum;
  ClampedTextPath clampedText;
  ValueEditParse parse;
};

inline constexpr std::array<ValueEditPair, 13> kValueEditPairs = {{
    {1004, 1005, "Y (contrast)", Contrast, 0x38, 0x54, ClampedTextPath::DirectTextSet,
     ValueEditParse::TwoHexDigits},
    {1011, 1012, "C (color)", ColorGain, 0x01, 0x2c, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1028, 1029, "O (bright)", Brightness, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1008, 1010, "AEX Reference Point", AexReference, 0x00, 0x78, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1013, 1015, "R-gain", RedGain, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1014, 1016, "B-gain", BlueGain, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1018, 1020, "AGC Start", LlsAgcStart, 0x00, 0xdf, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1017, 1021, "Color", LlsColor, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1019, 1022, "Edge", LlsEdge, 0x00, 0xff, ClampedTextPath::BoundTextPush,
     ValueEditParse::LeadingHexRun},
    {1026, 1027, "Level", SharpnessLevel, 0x00, 0x38, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1024, 1025, "Gain", AnalogOutputGain, 0x00, 0xf0, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1051, 1052, "DN level", DayNightLevel, 0x08, 0x60, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
    {1042, 1043, "AGC Gain max", AgcGainMax, 0x01, 0x80, ClampedTextPath::BoundTextPush,
     ValueEditParse::TwoHexDigits},
}};

// The pair a control belongs to, or nullptr.
const ValueEditPair* FindPairBySlider(int sliderId);
const ValueEditPair* FindPairByEdit(int editId);

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
