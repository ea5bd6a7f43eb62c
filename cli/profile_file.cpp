#include "cli/profile_file.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "cli/json_key_lines.h"

namespace torvix {

namespace {

using Json = nlohmann::ordered_json;

constexpr char kVersionField[] = "torvix-profile";
constexpr char kSettingsField[] = "settings";

std::string at(const std::string& fileName, int line) {
  return "Error: " + fileName + " line " + std::to_string(line) + ": ";
}

// The setting checks say "Error: ..." themselves; here the file and line go in front.
std::string withoutPrefix(const std::string& message) {
  constexpr std::string_view prefix = "Error: ";
  return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

std::string syntaxError(std::string_view text, const std::string& fileName,
                        const Json::parse_error& e) {
  const std::size_t offset = e.byte > 0 ? e.byte - 1 : 0;
  std::string what = e.what();
  const std::size_t column = what.find("column ");
  const std::size_t words = column == std::string::npos ? std::string::npos : what.find(": ", column);
  if (words != std::string::npos) what = what.substr(words + 2);
  std::string message = at(fileName, LineOfOffset(text, offset)) + what;
  const std::vector<JsonKeyLine> before = JsonKeyLines(text, offset);
  if (!before.empty()) message += " (after field '" + before.back().key + "')";
  return message;
}

bool readEntry(const std::string& key, const Json& value, int line, const std::string& fileName,
               ProfileEntry& entry, std::string& error) {
  const CliSetting* setting = FindCliSetting(key);
  if (setting == nullptr) {
    error = at(fileName, line) + "unknown setting '" + key + "'";
    return false;
  }
  std::string problem;
  bool ok = false;
  if (value.is_number_integer()) {
    ok = CheckSettingValue(*setting, value.get<long long>(), entry.request, problem);
  } else if (value.is_string()) {
    ok = ParseSettingValue(*setting, value.get<std::string>(), entry.request, problem);
  } else {
    problem = std::string(setting->name) + ": the value must be a number or a text";
  }
  if (!ok) {
    error = at(fileName, line) + withoutPrefix(problem);
    return false;
  }
  entry.id = setting->id;
  entry.line = line;
  return true;
}

bool readSettings(const Json& settings, const std::vector<JsonKeyLine>& keys,
                  const std::string& fileName, std::vector<ProfileEntry>& entries,
                  std::string& error) {
  std::vector<JsonKeyLine> settingKeys;
  for (const JsonKeyLine& key : keys) {
    if (key.depth == 2) settingKeys.push_back(key);
  }
  for (const JsonKeyLine& key : settingKeys) {
    const CliSetting* setting = FindCliSetting(key.key);
    for (const ProfileEntry& earlier : entries) {
      if (setting != nullptr && earlier.id == setting->id) {
        error = at(fileName, key.line) + setting->name + " is given twice (first on line " +
                std::to_string(earlier.line) + ")";
        return false;
      }
    }
    // Without duplicates the document keeps the keys in the file's order.
    const std::size_t index = static_cast<std::size_t>(&key - settingKeys.data());
    if (index >= settings.size()) break;
    auto item = settings.items().begin();
    std::advance(item, static_cast<long>(index));
    ProfileEntry entry{};
    if (!readEntry(item.key(), item.value(), key.line, fileName, entry, error)) return false;
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(),
            [](const ProfileEntry& a, const ProfileEntry& b) { return a.id < b.id; });
  return true;
}

}  // namespace

std::string ProfileText(const CameraBlock& block) {
  Json settings = Json::object();
  for (const CameraSetting& row : kSettingsTable) {
    const CliSetting& setting = CliSettingOf(static_cast<SettingId>(row.number));
    if (!setting.writable) continue;
    settings[setting.name] = HexByte(block.SettingsShadow[row.number]);
  }
  Json profile = Json::object();
  profile[kVersionField] = kProfileVersion;
  profile[kSettingsField] = settings;
  return profile.dump(2) + "\n";
}

bool ParseProfile(std::string_view text, const std::string& fileName,
                  std::vector<ProfileEntry>& entries, std::string& error) {
  entries.clear();
  Json document;
  try {
    document = Json::parse(text.begin(), text.end());
  } catch (const Json::parse_error& e) {
    error = syntaxError(text, fileName, e);
    return false;
  }
  if (!document.is_object()) {
    error = at(fileName, 1) + "a profile is a JSON object with a \"settings\" object";
    return false;
  }
  const std::vector<JsonKeyLine> keys = JsonKeyLines(text);
  const Json* settings = nullptr;
  std::vector<const JsonKeyLine*> fields;
  for (const JsonKeyLine& key : keys) {
    if (key.depth != 1) continue;
    for (const JsonKeyLine* earlier : fields) {
      if (earlier->key == key.key) {
        error = at(fileName, key.line) + key.key + " is given twice (first on line " +
                std::to_string(earlier->line) + ")";
        return false;
      }
    }
    fields.push_back(&key);
    if (key.key == kVersionField) {
      const Json& version = document[kVersionField];
      if (!version.is_number_integer() || version.get<long long>() != kProfileVersion) {
        error = at(fileName, key.line) + kVersionField + " must be " +
                std::to_string(kProfileVersion);
        return false;
      }
    } else if (key.key == kSettingsField) {
      settings = &document[kSettingsField];
      if (!settings->is_object()) {
        error = at(fileName, key.line) + "\"settings\" must be an object of NAME: VALUE";
        return false;
      }
    } else {
      error = at(fileName, key.line) + "unknown field '" + key.key + "'";
      return false;
    }
  }
  if (settings == nullptr) {
    error = at(fileName, 1) + "no \"settings\" object";
    return false;
  }
  if (!readSettings(*settings, keys, fileName, entries, error)) {
    entries.clear();
    return false;
  }
  return true;
}

}  // namespace torvix
