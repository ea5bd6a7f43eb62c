// SPDX-License-Identifier: MIT
#include "bridge/devices/device_words.h"

#include <optional>

#include "bridge/devices/device_setting.h"
#include "bridge/devices/transport_table.h"

namespace torvix {

namespace {

std::string Joined(const std::vector<std::string_view>& items, std::string_view last) {
  std::string words;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) words += i + 1 == items.size() ? last : ", ";
    words += items[i];
  }
  return words;
}

}  // namespace

CameraIdentity CameraIdentityOf(const char* setting) {
  const std::optional<DeviceSetting> device = ParseDeviceSetting(setting);
  if (!device || device->row->identity == nullptr) return {};
  return device->row->identity(*device);
}

std::string DeviceProblemBeforeUse() {
  const std::optional<DeviceSetting> device = CurrentDeviceSetting();
  if (!device || device->row->problemBeforeUse == nullptr) return {};
  return device->row->problemBeforeUse(*device);
}

std::string DeviceOpenProblem() {
  const std::optional<DeviceSetting> device = CurrentDeviceSetting();
  if (!device || device->row->openProblem == nullptr) return {};
  return device->row->openProblem(*device);
}

std::string DeviceFailureProblem(bool openFailed, int16_t lastFailure) {
  const std::optional<DeviceSetting> device = CurrentDeviceSetting();
  if (!device || device->row->failureProblem == nullptr) return {};
  return device->row->failureProblem(*device, openFailed, lastFailure);
}

std::string DeviceKindsInWords() {
  std::vector<std::string_view> kinds;
  for (const TransportRow& row : TransportRows()) {
    if (OnThisSystem(row.systems)) kinds.push_back(row.kind);
  }
  return Joined(kinds, ", or ");
}

std::string DeviceSettingInWords() {
  std::string words = "QUORLINK_DEVICE=";
  const TransportRow* unset = nullptr;
  for (const TransportRow& row : TransportRows()) {
    if (!OnThisSystem(row.systems)) continue;
    words.append(row.use).append(", ");
    if (row.takesUnset) unset = &row;
  }
  if (unset == nullptr) return words + "or unset for no device.";
  words += "or unset for ";
  if (!unset->unsetWhat.empty()) words.append(unset->unsetWhat).append(", ");
  return words.append(unset->unsetDevice).append(".");
}

std::vector<DeviceList> ListDevices() {
  std::vector<DeviceList> lists;
  for (const TransportRow& row : TransportRows()) {
    if (row.list != nullptr) lists.push_back({row.list(), row.noneListed});
  }
  return lists;
}

std::string ListedInWords() {
  std::vector<std::string> listed;
  for (const TransportRow& row : TransportRows()) {
    if (!row.listed.empty()) {
      listed.push_back(std::string(row.listed) + " (" + SystemsInWords(row.systems) + ")");
    }
  }
  return Joined({listed.begin(), listed.end()}, " and ");
}

std::string ListedElsewhere() {
  std::string words;
  for (const TransportRow& row : TransportRows()) {
    if (row.listed.empty()) continue;
    if (!words.empty()) words += "; ";
    words.append(row.listed).append(" exist on ").append(SystemsInWords(row.systems));
    words += " only";
  }
  return words;
}

std::string SystemsInWords(Systems systems) {
  if (systems == Systems::kAny) return "every system";
  std::vector<std::string_view> names;
  if (Includes(systems, Systems::kLinux) && Includes(systems, Systems::kOtherPosix)) {
    names.emplace_back("POSIX");
  } else if (Includes(systems, Systems::kLinux)) {
    names.emplace_back("Linux");
  } else if (Includes(systems, Systems::kOtherPosix)) {
    names.emplace_back("POSIX systems but Linux");
  }
  if (Includes(systems, Systems::kWindows)) names.emplace_back("Windows");
  return Joined(names, " and ");
}

}  // namespace torvix
