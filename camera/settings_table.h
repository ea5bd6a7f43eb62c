// SPDX-License-Identifier: MIT
// The camera's 29 DSP settings: one row per register, in setting-number order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace torvix {

// A setting's number, which is also its row in the table and its byte in the shadow.
enum SettingId : int {
  AgcControl = 0,
  AgcGainMax = 1,
  WhiteBalanceControl = 2,
  RedGain = 3,
  BlueGain = 4,
  AexReference = 5,
  WdrMode = 6,
  BlcControl = 7,
  BlcPosition = 8,
  BlcSize = 9,
  CameraAddress = 10,
  Register52 = 11,
  ColorGain = 12,
  Brightness = 13,
  FlipControl = 14,
  PushToWhite = 15,
  Contrast = 16,
  DayNightMode = 17,
  DayNightLevel = 18,
  ZoomFactor = 19,
  LlsMode = 20,
  LlsColor = 21,
  LlsAgcStart = 22,
  LlsEdge = 23,
  SharpnessOff = 24,
  SharpnessLevel = 25,
  OsdControl = 26,
  AnalogOutputGain = 27,
  VideoStandard = 28,
};

inline constexpr int kSettingCount = 29;

struct CameraSetting {
  int32_t number;
  uint8_t registerAddress;  // the camera register that holds the setting
  uint8_t defaultValue;
};

// clang-format off
inline constexpr std::array<CameraSetting, kSettingCount> kSettingsTable = {{
    {AgcControl, 0x02, 0x29},
    {AgcGainMax, 0x1d, 0x80},
    {WhiteBalanceControl, 0x04, 0x78},
    {RedGain, 0x42, 0x67},
    {BlueGain, 0x43, 0xa0},
    {AexReference, 0x06, 0x30},
    {WdrMode, 0x07, 0x03},
    {BlcControl, 0x13, 0x30},
    {BlcPosition, 0x14, 0x00},
    {BlcSize, 0x15, 0x3f},
    {CameraAddress, 0x31, 0x70},
    {Register52, 0x52, 0x40},
    {ColorGain, 0x53, 0x18},
    {Brightness, 0x54, 0x02},
    {FlipControl, 0x55, 0x00},
    {PushToWhite, 0x56, 0x00},
    {Contrast, 0x57, 0x3c},
    {DayNightMode, 0x60, 0x02},
    {DayNightLevel, 0x63, 0x40},
    {ZoomFactor, 0x6a, 0x00},
    {LlsMode, 0x70, 0x07},
    {LlsColor, 0x71, 0x80},
    {LlsAgcStart, 0x72, 0x20},
    {LlsEdge, 0x73, 0x56},
    {SharpnessOff, 0x7b, 0x00},
    {SharpnessLevel, 0x7c, 0x14},
    {OsdControl, 0x80, 0x01},
    {AnalogOutputGain, 0x8b, 0x7c},
    {VideoStandard, 0xa0, 0x01},
}};
// clang-format on

constexpr bool numbersArePositions() {
  for (int i = 0; i < kSettingCount; ++i) {
    if (kSettingsTable[static_cast<std::size_t>(i)].number != i) return false;
  }
  return true;
}
static_assert(numbersArePositions(), "a row's number is its position and its shadow byte");

// Every setting in table order: what a read of all of them reads.
inline constexpr std::array<SettingId, kSettingCount> kEverySetting = [] {
  std::array<SettingId, kSettingCount> ids{};
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<SettingId>(i);
  return ids;
}();

// The row of a setting: every SettingId has one.
constexpr const CameraSetting& SettingRow(SettingId id) {
  return kSettingsTable[static_cast<std::size_t>(id)];
}

// The row with that number, or nullptr when there is none.
const CameraSetting* FindSetting(int number);

// "BLC Size" list position -> code of register 0x15. The code holds the vertical size in bits
// 0..2 and the horizontal size in bits 3..5, each as a run of ones (1 = 000, 2 = 001, 4 = 011,
// 8 = 111).
inline constexpr std::array<uint8_t, 16> BlcSizeCodes = {0x00, 0x01, 0x03, 0x07, 0x08, 0x09,
                                                         0x0b, 0x0f, 0x18, 0x19, 0x1b, 0x1f,
                                                         0x38, 0x39, 0x3b, 0x3f};

}  // namespace torvix
