#include "cli/settings_commands.h"

#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
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

// Reads every setting into the link's shadow; the link has told the user why when it fails.
bool readCamera(CliSession& session) {
  return session.link.ReadAllSettings(session.link.Block()) == 0;
}

}  // namespace

std::string SettingLine(SettingId id, uint8_t value) {
  const CliSetting& setting = CliSettingOf(id);
  const std::string meaning = DescribeValue(id, value);
  char text[128];
  std::snprintf(text, sizeof text, "%2d %-19s 0x%02x = 0x%02x%s%s", static_cast<int>(id),
                setting.name, kSettingsTable[static_cast<std::size_t>(id)].registerAddress, value,
                meaning.empty() ? "" : " ", meaning.c_str());
  return text;
}

int RunSettings(CliSession& session, bool json) {
  if (!readCamera(session)) return kExitFailed;
  const CameraBlock& block = session.link.Block();
  std::ostream& out = session.console.out;
  if (!json) {
    for (const CameraSetting& row : kSettingsTable) {
      const auto id = static_cast<SettingId>(row.number);
      out << SettingLine(id, block.SettingsShadow[row.number]) << '\n';
    }
    return kExitDone;
  }
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const CameraSetting& row : kSettingsTable) {
    const auto id = static_cast<SettingId>(row.number);
    const uint8_t value = block.SettingsShadow[row.number];
    list.push_back({{"number", row.number},
                    {"name", CliSettingOf(id).name},
                    {"register", row.registerAddress},
                    {"value", value},
                    {"meaning", DescribeValue(id, value)},
                    {"writable", CliSettingOf(id).writable}});
  }
  out << list.dump(2) << '\n';
  return kExitDone;
}

int RunGet(CliSession& session, const std::vector<std::string>& names) {
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
  if (!readCamera(session)) return kExitFailed;
  for (SettingId id : ids) {
    session.console.out << SettingLine(id, session.link.Block().SettingsShadow[id]) << '\n';
  }
  return kExitDone;
}

int RunSet(CliSession& session, const std::vector<std::string>& assignments, bool verify) {
  std::vector<Assignment> parsed;
  for (const std::string& text : assignments) {
    Assignment assignment{};
    std::string error;
    if (!parseAssignment(text, assignment, error)) {
      session.console.err << error << '\n';
      return kExitUsage;
    }
    parsed.push_back(assignment);
  }
  // The bits a setting does not own are kept as the camera has them, so read it first.
  if (!readCamera(session)) return kExitFailed;
  CameraBlock& block = session.link.Block();
  for (const Assignment& assignment : parsed) {
    const SettingId id = assignment.setting->id;
    const uint8_t value = ApplyRequest(block.SettingsShadow[id], assignment.request);
    if (session.link.WriteSetting(id, value) != 0) return kExitFailed;
    session.console.out << SettingLine(id, value) << '\n';
  }
  if (!verify) return kExitDone;

  CameraBlock readBack = block;
  if (session.link.ReadAllSettings(readBack) != 0) return kExitFailed;
  int result = kExitDone;
  for (const Assignment& assignment : parsed) {
    const SettingId id = assignment.setting->id;
    if (readBack.SettingsShadow[id] == block.SettingsShadow[id]) continue;
    session.console.err << "Error: " << assignment.setting->name << " reads back "
                        << HexByte(readBack.SettingsShadow[id]) << ", written "
                        << HexByte(block.SettingsShadow[id]) << '\n';
    result = kExitFailed;
  }
  return result;
}

}  // namespace torvix
