// SPDX-License-Identifier: MIT
#include "camera/settings_table.h"

namespace torvix {

const CameraSetting* FindSetting(int number) {
  if (number < 0 || number >= kSettingCount) return nullptr;
  return &kSettingsTable[static_cast<std::size_t>(number)];
}

}  // namespace torvix
