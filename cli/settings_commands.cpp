// SPDX-License-Identifier: MIT
#include "cli/settings_commands.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <span>

#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "cli/setting_writes.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

struct Assignment {
  const CliSetting* setting;
  ValueRequest request;
};

bool parseAssignment(const std::string& text, Assignment& assignment, std::string& error) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) {
    error = "Error: '" + text + "' is not NAME=VALUE";
    return false;
  }
  const std::string name = text.substr(0, equals);
  assignment.setting = FindCliSetting(name);
  if (assignment.setting == nullptr) {
    error = "Error: no setting named '" + name + "' (see torvix settings)";
    return false;
  }
  return ParseSettingValue(*assignment.setting, std::string_view(text).substr(equals + 1),
                           assignment.request, error);
}

// Reads these settings into the link's shadow; the link has told the user why when it fails.
bool readCamera(CliSession& session, std::span<const SettingId> ids = kEverySetting) {
  return session.link.ReadSettings(session.link.Block(), ids) == 0;
}

// Each setting once, where it first appears: a register is read once however often it is
// named. A setting's words come from its own register alone (DescribeValue), so no other
// register needs reading for them.
std::vector<SettingId> eachOnce(const std::vector<SettingId>& ids) {
  std::vector<SettingId> once;
  for (SettingId id : ids) {
    if (std::find(once.begin(), once.end(), id) == once.end()) once.push_back(id);
  }
  return once;
}

// The longest meaning, "Mirror(H-flip) off, V-flip off", so the values line up after it.
constexpr std::size_t kMeaningWidth = 30;

// "0x38-0x54 step 1, default 0x3c", "0x00 or 0x07, default 0x07", "0x00-0xff step 1, writes
// bits 0x02, default 0x29": the words of the range errors, then what a listing adds.
std::string valuesText(const CliSetting& setting) {
  if (!setting.writable) return "read-only";
  std::string text = RangeText(setting);
  if (setting.allowed.empty()) text += " step 1";
  if (setting.ownedMask != 0xff) text += ", writes bits " + HexByte(setting.ownedMask);
  return text + ", default " + HexByte(SettingRow(setting.id).defaultValue);
}

// A row of settings --json: the line's fields, and for a writable setting what it takes.
nlohmann::ordered_json jsonRow(SettingId id, uint8_t value) {
  const CliSetting& setting = CliSettingOf(id);
  nlohmann::ordered_json row = {{"number", static_cast<int>(id)},
                                {"name", setting.name},
                                {"register", SettingRow(id).registerAddress},
                                {"value", value},
                                {"meaning", DescribeValue(id, value)},
                                {"writable", setting.writable}};
  if (!setting.writable) return row;
  row["default"] = SettingRow(id).defaultValue;
  const bool list = !setting.allowed.empty();
  row["minimum"] = list ? setting.allowed.front() : setting.minimum;
  row["maximum"] = list ? setting.allowed.back() : setting.maximum;
  row["step"] = list ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(1);
  if (list) row["values"] = std::vector<uint8_t>(setting.allowed.begin(), setting.allowed.end());
  row["bits"] = setting.ownedMask;
  row["range"] = RangeText(setting);
  return row;
}

void printJson(std::ostream& out, std::span<const SettingId> ids, const CameraBlock& block) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (SettingId id : ids) list.push_back(jsonRow(id, block.SettingsShadow[id]));
  out << list.dump(2) << '\n';
}

}  // namespace

std::string SettingLine(SettingId id, uint8_t value) {
  const CliSetting& setting = CliSettingOf(id);
  const std::string meaning = DescribeValue(id, value);
  char text[128];
  std::snprintf(text, sizeof text, "%2d %-19s 0x%02x = 0x%02x%s%s", static_cast<int>(id),
                setting.name, SettingRow(id).registerAddress, value, meaning.empty() ? "" : " ",
                meaning.c_str());
  return text;
}

std::string SettingListLine(SettingId id, uint8_t value) {
  const std::string meaning = DescribeValue(id, value);
  const std::string line = SettingLine(id, value);
  const std::size_t pad = meaning.size() < kMeaningWidth ? kMeaningWidth - meaning.size() : 0;
  return line + std::string(meaning.empty() ? pad + 1 : pad, ' ') + ' ' +
         valuesText(CliSettingOf(id));
}

int RunSettings(CliSession& session, bool json) {
  if (!readCamera(session)) return kExitFailed;
  const CameraBlock& block = session.link.Block();
  if (json) {
    printJson(session.console.out, kEverySetting, block);
    return kExitDone;
  }
  for (SettingId id : kEverySetting) {
    session.console.out << SettingListLine(id, block.SettingsShadow[id]) << '\n';
  }
  return kExitDone;
}

int RunGet(CliSession& session, const std::vector<std::string>& names, GetForm form) {
  std::vector<SettingId> ids;
  for (const std::string& name : names) {
    const CliSetting* setting = FindCliSetting(name);
    if (setting == nullptr) {
      session.console.err << "Error: no setting named or at register '" << name
                          << "' (see torvix settings)\n";
      return kExitUsage;
    }
    ids.push_back(setting->id);
  }
  if (!readCamera(session, eachOnce(ids))) return kExitFailed;
  const CameraBlock& block = session.link.Block();
  if (form == GetForm::kJson) {
    printJson(session.console.out, ids, block);
    return kExitDone;
  }
  for (SettingId id : ids) {
    const uint8_t value = block.SettingsShadow[id];
    session.console.out << (form == GetForm::kValue ? HexByte(value) : SettingLine(id, value))
                        << '\n';
  }
  return kExitDone;
}

int RunSet(CliSession& session, const std::vector<std::string>& assignments, bool verify) {
  std::vector<Assignment> parsed;
  std::vector<SettingId> ids;
  for (const std::string& text : assignments) {
    Assignment assignment{};
    std::string error;
    if (!parseAssignment(text, assignment, error)) {
      session.console.err << error << '\n';
      return kExitUsage;
    }
    parsed.push_back(assignment);
    ids.push_back(assignment.setting->id);
  }
  const std::vector<SettingId> written = eachOnce(ids);
  // The bits a setting does not own are kept as the camera has them, so read them first.
  if (!readCamera(session, written)) return kExitFailed;
  CameraBlock& block = session.link.Block();
  SettingWrites writes(session);
  for (const Assignment& assignment : parsed) {
    const SettingId id = assignment.setting->id;
    const uint8_t value = ApplyRequest(block.SettingsShadow[id], assignment.request);
    if (!writes.Write(id, value, SettingLine(id, value))) return writes.Code();
  }
  if (!verify || writes.Code() != kExitDone) return writes.Code();

  CameraBlock readBack = block;
  if (session.link.ReadSettings(readBack, written) != 0) return kExitFailed;
  int result = kExitDone;
  for (SettingId id : written) {
    if (readBack.SettingsShadow[id] == block.SettingsShadow[id]) continue;
    session.console.err << "Error: " << CliSettingOf(id).name << " reads back "
                        << HexByte(readBack.SettingsShadow[id]) << ", written "
                        << HexByte(block.SettingsShadow[id]) << '\n';
    result = kExitFailed;
  }
  return result;
}

}  // namespace torvix
