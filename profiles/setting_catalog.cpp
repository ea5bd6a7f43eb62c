// SPDX-License-Identifier: MIT
#include "profiles/setting_catalog.h"

#include <array>
#include <cctype>

#include "camera/register_map.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

namespace {

constexpr ValueName kAgcNames[] = {{"AGC On", kAgcOnMask, kAgcOnMask},
                                   {"AGC Off", 0x00, kAgcOnMask},
                                   {"On", kAgcOnMask, kAgcOnMask},
                                   {"Off", 0x00, kAgcOnMask}};
constexpr ValueName kWhiteBalanceNames[] = {{"Auto mode", 0x00, 0x03}, {"Manual mode", 0x01, 0x03}};
constexpr ValueName kWdrNames[] = {{"OFF", 0, 0xff},
                                   {" Low", 1, 0xff},
                                   {"Middle", 2, 0xff},
                                   {"High", 3, 0xff}};
constexpr ValueName kBlcViewNames[] = {{"BLC View On", kBlcViewMask, kBlcViewMask},
                                       {"BLC View Off", 0x00, kBlcViewMask},
                                       {"On", kBlcViewMask, kBlcViewMask},
                                       {"Off", 0x00, kBlcViewMask}};
constexpr ValueName kBlcSizeNames[] = {
    {"1H/1V", 0x00, 0xff}, {"1H/2V", 0x01, 0xff}, {"1H/4V", 0x03, 0xff}, {"1H/8V", 0x07, 0xff},
    {"2H/1V", 0x08, 0xff}, {"2H/2V", 0x09, 0xff}, {"2H/4V", 0x0b, 0xff}, {"2H/8V", 0x0f, 0xff},
    {"4H/1V", 0x18, 0xff}, {"4H/2V", 0x19, 0xff}, {"4H/4V", 0x1b, 0xff}, {"4H/8V", 0x1f, 0xff},
    {"8H/1V", 0x38, 0xff}, {"8H/2V", 0x39, 0xff}, {"8H/4V", 0x3b, 0xff}, {"8H/8V", 0x3f, 0xff}};
constexpr ValueName kPushToWhiteNames[] = {{"Off", kPushToWhiteOff, 0xff},
                                           {"Push2White", kPushToWhiteButton, 0xff},
                                           {"Push2White-set", kPushToWhiteSet, 0xff}};
constexpr ValueName kDayNightNames[] = {{"B&W", 0, 0xff}, {"COLOR", 1, 0xff}, {"SMART", 2, 0xff}};
constexpr ValueName kZoomNames[] = {{"X1(1,0)", 0, 0xff},
                                    {"X2(0,8)", 1, 0xff},
                                    {"X2(0,7)", 2, 0xff},
                                    {"X3(0,6)", 3, 0xff}};
constexpr ValueName kLlsNames[] = {{"Mode On", 0x07, 0xff},
                                   {"Mode Off", 0x00, 0xff},
                                   {"On", 0x07, 0xff},
                                   {"Off", 0x00, 0xff}};
constexpr ValueName kSharpnessNames[] = {{"Sharpness On", 0x00, 0xff},
                                         {"Sharpness Off", 0x01, 0xff},
                                         {"On", 0x00, 0xff},
                                         {"Off", 0x01, 0xff}};
constexpr ValueName kOsdNames[] = {{"OSD control", 0x01, 0xff},
                                   {"I2C control", 0x00, 0xff},
                                   {"On", 0x01, 0xff},
                                   {"Off", 0x00, 0xff}};
constexpr ValueName kVideoNames[] = {{"PAL", 0x01, 0xff}, {"NTSC", 0x00, 0xff}};

// The panel's two BLC lists and its two Rotate Control check boxes, each in its own bits.
constexpr ValueField kBlcPositionFields[] = {{"Vertical", kBlcVerticalMask, false},
                                             {"Horizontal", kBlcHorizontalMask, false}};
constexpr ValueField kFlipFields[] = {{"Mirror(H-flip)", kMirrorMask, true},
                                      {"V-flip", kVerticalFlipMask, true}};

// The whole-register switches accept only what their control writes.
constexpr uint8_t kLlsValues[] = {0x00, 0x07};
constexpr uint8_t kOneBitValues[] = {0x00, 0x01};

// The slider/edit pairs keep the range of their slider, so both sides refuse the same values.
// The table is built at compile time: a plain setting without a pair does not compile.
constexpr CliSetting plain(SettingId id, const char* name) {
  const ValueEditPair& pair = *FindPairOfSetting(id);
  return {id, name, true, 0xff, 0xff, pair.minimum, pair.maximum, {}, {}};
}

constexpr CliSetting list(SettingId id, const char* name, std::span<const ValueName> names) {
  return {id, name, true, 0xff, 0xff, 0x00, static_cast<uint8_t>(names.size() - 1), {}, names};
}

constexpr CliSetting flag(SettingId id, const char* name, uint8_t mask,
                          std::span<const ValueName> names) {
  return {id, name, true, mask, 0xff, 0x00, 0xff, {}, names};
}

constexpr CliSetting choice(SettingId id, const char* name, std::span<const uint8_t> values,
                            std::span<const ValueName> names) {
  return {id, name, true, 0xff, 0xff, 0x00, 0xff, values, names};
}

// clang-format off
constexpr std::array<CliSetting, kSettingCount> kCliSettings = {{
    flag(AgcControl, "AgcControl", kAgcOnMask, kAgcNames),
    plain(AgcGainMax, "AgcGainMax"),
    // Bits 0 and 1 are the mode; bit 7 carries the mirror state, which the panel writes along.
    {WhiteBalanceControl, "WhiteBalanceControl", true, 0x83, 0x03, 0x00, 0x01, {},
     kWhiteBalanceNames},
    plain(RedGain, "RedGain"),
    plain(BlueGain, "BlueGain"),
    plain(AexReference, "AexReference"),
    list(WdrMode, "WdrMode", kWdrNames),
    flag(BlcControl, "BlcControl", kBlcViewMask, kBlcViewNames),
    // The two lists' positions fill bits 0 to 5; bits 6 and 7 are the camera's, so a number
    // that sets them is refused rather than cut down to the lists' bits.
    {BlcPosition, "BlcPosition", true, kBlcVerticalMask | kBlcHorizontalMask, 0xff, 0x00,
     kBlcVerticalMask | kBlcHorizontalMask, {}, {}, kBlcPositionFields},
    choice(BlcSize, "BlcSize", BlcSizeCodes, kBlcSizeNames),
    {CameraAddress, "CameraAddress", true, 0xff, 0xff, 0x00, kCameraAddressMaximum, {}, {}},
    {Register52, "Register52", false, 0x00, 0xff, 0x00, 0xff, {}, {}},
    plain(ColorGain, "ColorGain"),
    plain(Brightness, "Brightness"),
    {FlipControl, "FlipControl", true, kMirrorMask | kVerticalFlipMask, 0xff, 0x00, 0xff, {}, {},
     kFlipFields},
    list(PushToWhite, "PushToWhite", kPushToWhiteNames),
    plain(Contrast, "Contrast"),
    list(DayNightMode, "DayNightMode", kDayNightNames),
    plain(DayNightLevel, "DayNightLevel"),
    list(ZoomFactor, "ZoomFactor", kZoomNames),
    choice(LlsMode, "LlsMode", kLlsValues, kLlsNames),
    plain(LlsColor, "LlsColor"),
    plain(LlsAgcStart, "LlsAgcStart"),
    plain(LlsEdge, "LlsEdge"),
    choice(SharpnessOff, "SharpnessOff", kOneBitValues, kSharpnessNames),
    plain(SharpnessLevel, "SharpnessLevel"),
    choice(OsdControl, "OsdControl", kOneBitValues, kOsdNames),
    plain(AnalogOutputGain, "AnalogOutputGain"),
    choice(VideoStandard, "VideoStandard", kOneBitValues, kVideoNames),
}};
// clang-format on

constexpr bool rowsInTableOrder() {
  for (int i = 0; i < kSettingCount; ++i) {
    if (kCliSettings[static_cast<std::size_t>(i)].id != i) return false;
  }
  return true;
}
static_assert(rowsInTableOrder(), "one row per setting, in setting-number order");

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

const CliSetting& CliSettingOf(SettingId id) { return kCliSettings[static_cast<std::size_t>(id)]; }

const CliSetting* FindCliSetting(std::string_view text) {
  for (const CliSetting& setting : kCliSettings) {
    if (SameNameIgnoringCase(text, setting.name)) return &setting;
  }
  const std::optional<unsigned long> number = ParseNumber(text);
  if (!number || text.size() < 3 || !SameNameIgnoringCase(text.substr(0, 2), "0x")) {
    return nullptr;
  }
  for (const CameraSetting& row : kSettingsTable) {
    if (row.registerAddress == *number) return &kCliSettings[static_cast<std::size_t>(row.number)];
  }
  return nullptr;
}

}  // namespace torvix
