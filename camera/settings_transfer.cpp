// SPDX-License-Identifier: MIT
// Reading settings rows, all of them or some, into a shadow, and writing one row.
#include "camera/camera_link.h"
#include "camera/message_format.h"
#include "clock/clock.h"

namespace torvix {

namespace {

constexpr uint8_t kSettingsRead = 0x01;
constexpr uint8_t kSettingsBank = 0x31;
constexpr Milliseconds kAfterRowRead{2};
constexpr Milliseconds kAfterSettingWrite{100};

}  // namespace

uint8_t CameraLink::ReadAllSettings(CameraBlock& shadow, const char* failureText) {
  return ReadSettings(shadow, kEverySetting, failureText);
}

uint8_t CameraLink::ReadSettings(CameraBlock& shadow, std::span<const SettingId> ids,
                                 const char* failureText) {
  for (SettingId id : ids) {
    if (FindSetting(id) == nullptr) return 1;
  }
  for (SettingId id : ids) {
    uint8_t value = 0;
    const uint8_t result =
        ReadRegister(kSettingsRead, kSettingsBank, SettingRow(id).registerAddress, shadow, &value);
    Pause(kAfterRowRead);
    if (result != 0) {
      ShortMessage text;
      FormatShortMessage(text, "%s", failureText);
      messages_.Show(text, kMessageOk);
      return 1;
    }
    shadow.SettingsShadow[id] = value;
  }
  return 0;
}

uint8_t CameraLink::WriteSetting(int row, uint8_t value) {
  const CameraSetting* setting = FindSetting(row);
  if (setting == nullptr) return 1;
  const uint8_t result = WriteRegister(setting->registerAddress, value);
  if (result == 0) {
    block_.SettingsShadow[setting->number] = value;
    Pause(kAfterSettingWrite);
  }
  return result;
}

}  // namespace torvix
