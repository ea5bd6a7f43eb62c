// SPDX-License-Identifier: MIT
// Reading a setting's value from text, checking it against what the setting accepts, and
// saying what a register value means.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "camera/register_map.h"
#include "messages/printable_text.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
    text.remove_suffix(1);
  }
  return text;
}

bool sameWords(std::string_view a, std::string_view b) {
  return SameNameIgnoringCase(trimmed(a), trimmed(b));
}

std::string listOf(std::span<const ValueName> names) {
  std::string text;
  for (const ValueName& name : names) {
    if (!text.empty()) text += ", ";
    text += '"';
    text += trimmed(name.text);
    text += '"';
  }
  return text;
}

const char* onOff(bool on) { return on ? "on" : "off"; }

int shiftOf(uint8_t mask) {
  int shift = 0;
  while (shift < 7 && (mask & (1u << shift)) == 0) ++shift;
  return shift;
}

// "Vertical 3" or "V-flip on" into value and mask; false for anything else, or for a field
// already given.
bool parseField(std::span<const ValueField> fields, std::string_view part, uint8_t& value,
                uint8_t& mask) {
  for (const ValueField& field : fields) {
    const std::string_view word = field.word;
    if (part.size() <= word.size() || !SameNameIgnoringCase(part.substr(0, word.size()), word) ||
        std::isspace(static_cast<unsigned char>(part[word.size()])) == 0) {
      continue;
    }
    if ((mask & field.mask) != 0) return false;
    const std::string_view given = trimmed(part.substr(word.size()));
    std::optional<unsigned long> number;
    if (field.flag) {
      if (SameNameIgnoringCase(given, "on")) number = 1;
      if (SameNameIgnoringCase(given, "off")) number = 0;
    } else {
      number = ParseNumber(given);
    }
    const int shift = shiftOf(field.mask);
    if (!number || *number > static_cast<unsigned>(field.mask >> shift)) return false;
    value = static_cast<uint8_t>(value | (*number << shift));
    mask = static_cast<uint8_t>(mask | field.mask);
    return true;
  }
  return false;
}

// "Vertical 3, Horizontal 2", either part alone, in any order.
bool parseFields(std::span<const ValueField> fields, std::string_view text, ValueRequest& request) {
  if (fields.empty()) return false;
  uint8_t value = 0;
  uint8_t mask = 0;
  for (;;) {
    const std::size_t comma = text.find(',');
    if (!parseField(fields, trimmed(text.substr(0, comma)), value, mask)) return false;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  request = {value, mask};
  return true;
}

std::string describeFields(std::span<const ValueField> fields, uint8_t value) {
  std::string text;
  for (const ValueField& field : fields) {
    if (!text.empty()) text += ", ";
    text += field.word;
    text += ' ';
    const unsigned number = (value & field.mask) >> shiftOf(field.mask);
    text += field.flag ? onOff(number != 0) : std::to_string(number);
  }
  return text;
}

// "Vertical 0-7, Horizontal 0-7", as a message offers the fields.
std::string fieldsForm(std::span<const ValueField> fields) {
  std::string text;
  for (const ValueField& field : fields) {
    if (!text.empty()) text += ", ";
    text += field.word;
    text += field.flag ? " on|off" : " 0-" + std::to_string(field.mask >> shiftOf(field.mask));
  }
  return '"' + text + '"';
}

std::string listItem(std::span<const ValueName> names, uint8_t value) {
  for (const ValueName& name : names) {
    if (name.value == value) return name.text;
  }
  return "no list entry";
}

}  // namespace

std::string HexByte(uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02x", value);
  return text;
}

std::optional<unsigned long> ParseNumber(std::string_view text) {
  const std::string copy(trimmed(text));
  if (copy.empty() || std::isdigit(static_cast<unsigned char>(copy[0])) == 0) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const bool hex = copy.size() > 2 && copy[0] == '0' && (copy[1] == 'x' || copy[1] == 'X');
  const unsigned long value = std::strtoul(copy.c_str(), &end, hex ? 16 : 10);
  // strtoul stops at a zero byte as at the string's end: "0x40\0junk" must not pass as 0x40.
  if (errno != 0 || end != copy.c_str() + copy.size()) return std::nullopt;
  return value;
}

std::string RangeText(const CliSetting& setting) {
  if (!setting.allowed.empty()) {
    std::string text;
    for (std::size_t i = 0; i < setting.allowed.size(); ++i) {
      if (i > 0) text += i + 1 == setting.allowed.size() ? " or " : ", ";
      text += HexByte(setting.allowed[i]);
    }
    return text;
  }
  std::string text = HexByte(setting.minimum) + "-" + HexByte(setting.maximum);
  if (setting.rangeMask != 0xff) text += " in bits " + HexByte(setting.rangeMask);
  return text;
}

std::string OutOfRangeError(const CliSetting& setting) {
  return std::string("Error: ") + setting.name + " value out of range (" + RangeText(setting) +
         ")!";
}

bool InSettingRange(const CliSetting& setting, uint8_t value) {
  if (!setting.allowed.empty()) {
    for (uint8_t allowed : setting.allowed) {
      if (allowed == value) return true;
    }
    return false;
  }
  const unsigned field = value & setting.rangeMask;
  return field >= setting.minimum && field <= setting.maximum;
}

bool CheckSettingValue(const CliSetting& setting, long long value, ValueRequest& request,
                       std::string& error, OutOfRange outOfRange) {
  if (!setting.writable) {
    error = std::string("Error: ") + setting.name + " is read-only";
    return false;
  }
  if (value < 0 || value > 0xff) {
    error = OutOfRangeError(setting);
    return false;
  }
  const auto byte = static_cast<uint8_t>(value);
  const bool inRange = InSettingRange(setting, byte);
  if (!inRange && outOfRange == OutOfRange::kRefused) {
    error = OutOfRangeError(setting);
    return false;
  }
  request = {byte, setting.ownedMask, inRange};
  return true;
}

bool ParseSettingValue(const CliSetting& setting, std::string_view text, ValueRequest& request,
                       std::string& error, OutOfRange outOfRange) {
  if (const std::optional<unsigned long> number = ParseNumber(text)) {
    const long long value = *number > 0x100 ? 0x100 : static_cast<long long>(*number);
    return CheckSettingValue(setting, value, request, error, outOfRange);
  }
  if (!setting.writable) {
    error = std::string("Error: ") + setting.name + " is read-only";
    return false;
  }
  for (const ValueName& name : setting.names) {
    if (sameWords(text, name.text)) {
      request = {name.value, name.mask};
      return true;
    }
  }
  if (parseFields(setting.fields, text, request)) return true;
  error =
      std::string("Error: ") + setting.name + " value '" + Printable(text) + "' is not a number";
  if (!setting.names.empty()) error += " nor one of " + listOf(setting.names);
  if (!setting.fields.empty()) error += " nor " + fieldsForm(setting.fields);
  error += " (" + RangeText(setting) + ")";
  return false;
}

std::string DescribeValue(SettingId id, uint8_t value) {
  const CliSetting& setting = CliSettingOf(id);
  if (!setting.fields.empty()) return describeFields(setting.fields, value);
  switch (id) {
    case AgcControl: return FlagShown(value, kAgcOnMask) ? "AGC On" : "AGC Off";
    case WhiteBalanceControl:
      return WhiteBalanceModeShown(value, kPushToWhiteOff) == kWhiteBalanceAuto ? "Auto mode"
                                                                                : "Manual mode";
    case WdrMode:
    case DayNightMode:
    case ZoomFactor:
      return ListIndexShown(value, static_cast<int>(setting.names.size()))
                 ? setting.names[value].text
                 : "no list entry";
    case BlcControl: return FlagShown(value, kBlcViewMask) ? "BLC View On" : "BLC View Off";
    case BlcSize: return BlcSizeIndexOf(value) ? listItem(setting.names, value) : "no size code";
    case PushToWhite: return value <= kPushToWhiteSet ? setting.names[value].text : "";
    case LlsMode: return LlsModeShown(value) ? "Mode On" : "Mode Off";
    case SharpnessOff: return SharpnessOnShown(value) ? "Sharpness On" : "Sharpness Off";
    case OsdControl: return OsdControlShown(value) ? "OSD control" : "I2C control";
    case VideoStandard: return PalShown(value) ? "PAL" : "NTSC";
    default: return "";
  }
}

}  // namespace torvix
