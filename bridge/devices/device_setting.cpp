// SPDX-License-Identifier: MIT
#include "bridge/devices/device_setting.h"

#include <cstdlib>
#include <string_view>

#include "bridge/devices/transport_table.h"

namespace torvix {

namespace {

bool Takes(const TransportRow& row, std::string_view setting) {
  switch (row.match) {
    case SettingMatch::kWhole: return setting == row.setting;
    case SettingMatch::kPrefix: return setting.starts_with(row.setting);
    case SettingMatch::kAnyOther: return true;
  }
  return false;
}

std::string_view ArgumentOf(const TransportRow& row, std::string_view setting) {
  switch (row.match) {
    case SettingMatch::kWhole: return {};
    case SettingMatch::kPrefix: return setting.substr(row.setting.size());
    case SettingMatch::kAnyOther: return setting;
  }
  return {};
}

}  // namespace

std::optional<DeviceSetting> ParseDeviceSetting(const char* setting) {
  // An empty setting is no setting: `QUORLINK_DEVICE= program` gets the default device.
  const std::string_view text = setting != nullptr ? setting : "";
  // The table's order is the order of matching: a row that takes any setting comes last.
  for (const TransportRow& row : TransportRows()) {
    if (!OnThisSystem(row.systems)) continue;
    if (text.empty() ? !row.takesUnset : !Takes(row, text)) continue;
    if (text.empty()) return DeviceSetting{&row, {}, {}, false};
    return DeviceSetting{&row, std::string(text), std::string(ArgumentOf(row, text)), true};
  }
  return std::nullopt;
}

std::optional<DeviceSetting> CurrentDeviceSetting() {
  return ParseDeviceSetting(std::getenv("QUORLINK_DEVICE"));
}

}  // namespace torvix
