// SPDX-License-Identifier: MIT
#include "profiles/profile_file.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_map>

#include <nlohmann/json.hpp>

#include "messages/printable_text.h"
#include "profiles/json_key_lines.h"

namespace torvix {

namespace {

using Json = nlohmann::json;

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

// What a key of depth stands for, to find the same thing given twice under two spellings;
// nullopt for a key that is no field at all (the reading says so later).
using KeyIdentity = std::function<std::optional<std::string>(const std::string&)>;

bool refuseRepeats(const std::vector<JsonKeyLine>& keys, int depth, const KeyIdentity& identify,
                   const std::string& fileName, std::string& error) {
  std::unordered_map<std::string, int> firstLines;
  for (const JsonKeyLine& key : keys) {
    if (key.depth != depth) continue;
    const std::optional<std::string> identity = identify(key.key);
    if (!identity) continue;
    const auto [first, isNew] = firstLines.emplace(*identity, key.line);
    if (isNew) continue;
    error = at(fileName, key.line) + *identity + " is given twice (first on line " +
            std::to_string(first->second) + ")";
    return false;
  }
  return true;
}

bool readEntry(const std::string& key, const Json& value, int line, const std::string& fileName,
               ProfileEntry& entry, std::string& error) {
  const CliSetting* setting = FindCliSetting(key);
  if (setting == nullptr) {
    error = at(fileName, line) + "unknown setting '" + Printable(key) + "'";
    return false;
  }
  std::string problem;
  bool ok = false;
  if (value.is_number_integer()) {
    ok = CheckSettingValue(*setting, value.get<long long>(), entry.request, problem,
                           OutOfRange::kTaken);
  } else if (value.is_string()) {
    ok = ParseSettingValue(*setting, value.get<std::string>(), entry.request, problem,
                           OutOfRange::kTaken);
  } else {
    problem = std::string(setting->name) + ": the value must be a number or a text";
  }
  if (!ok) {
    error = at(fileName, line) + withoutPrefix(problem);
    return false;
  }
  entry.id = setting->id;
  entry.line = line;
  if (!entry.request.inRange) {
    entry.rangeFault = at(fileName, line) + withoutPrefix(OutOfRangeError(*setting));
  }
  return true;
}

// The settings a profile saves, in table order.
std::vector<const CliSetting*> savedSettings(bool withHeldBack) {
  std::vector<const CliSetting*> saved;
  for (const CameraSetting& row : kSettingsTable) {
    const CliSetting& setting = CliSettingOf(static_cast<SettingId>(row.number));
    if (setting.writable && (withHeldBack || !HeldBackSetting(setting.id))) {
      saved.push_back(&setting);
    }
  }
  return saved;
}

// The outermost object holds the version and the settings, each once, and nothing else.
bool checkFields(const Json& document, const std::vector<JsonKeyLine>& keys,
                 const std::string& fileName, std::string& error) {
  const KeyIdentity name = [](const std::string& key) { return std::optional<std::string>(key); };
  if (!refuseRepeats(keys, 1, name, fileName, error)) return false;
  for (const JsonKeyLine& key : keys) {
    if (key.depth != 1) continue;
    const Json& value = document.at(key.key);
    if (key.key == kVersionField) {
      if (!value.is_number_integer() || value.get<long long>() != kProfileVersion) {
        error =
            at(fileName, key.line) + kVersionField + " must be " + std::to_string(kProfileVersion);
        return false;
      }
    } else if (key.key == kSettingsField) {
      if (!value.is_object()) {
        error = at(fileName, key.line) + "\"settings\" must be an object of NAME: VALUE";
        return false;
      }
    } else {
      error = at(fileName, key.line) + "unknown field '" + Printable(key.key) + "'";
      return false;
    }
  }
  return true;
}

// Once the fields are right, every key of depth 2 is a setting's.
bool readSettings(const Json& settings, const std::vector<JsonKeyLine>& keys,
                  const std::string& fileName, std::vector<ProfileEntry>& entries,
                  std::string& error) {
  const KeyIdentity setting = [](const std::string& key) -> std::optional<std::string> {
    const CliSetting* found = FindCliSetting(key);
    if (found == nullptr) return std::nullopt;
    return std::string(found->name);
  };
  if (!refuseRepeats(keys, 2, setting, fileName, error)) return false;
  for (const JsonKeyLine& key : keys) {
    if (key.depth != 2) continue;
    ProfileEntry entry{};
    if (!readEntry(key.key, settings.at(key.key), key.line, fileName, entry, error)) return false;
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(),
            [](const ProfileEntry& a, const ProfileEntry& b) { return a.id < b.id; });
  return true;
}

}  // namespace

bool HeldBackSetting(SettingId id) {
  return id == CameraAddress || id == OsdControl || id == PushToWhite;
}

std::string ProfileText(const CameraBlock& block, bool withHeldBack) {
  using OrderedJson = nlohmann::ordered_json;
  OrderedJson settings = OrderedJson::object();
  for (const CliSetting* setting : savedSettings(withHeldBack)) {
    settings[setting->name] = HexByte(block.SettingsShadow[setting->id]);
  }
  OrderedJson profile = OrderedJson::object();
  profile[kVersionField] = kProfileVersion;
  profile[kSettingsField] = settings;
  return profile.dump(2) + "\n";
}

std::vector<std::string> OutOfRangeWarnings(const CameraBlock& block, bool withHeldBack) {
  std::vector<std::string> warnings;
  for (const CliSetting* setting : savedSettings(withHeldBack)) {
    const uint8_t value = block.SettingsShadow[setting->id];
    if (InSettingRange(*setting, value)) continue;
    warnings.push_back(std::string("Warning: ") + setting->name + " " + HexByte(value) +
                       " is outside its range (" + RangeText(*setting) + ")");
  }
  return warnings;
}

bool ParseProfile(std::string_view text, const std::string& fileName,
                  std::vector<ProfileEntry>& entries, std::string& error) {
  entries.clear();
  Json document;
  std::vector<JsonKeyLine> keys;
  JsonFault fault;
  if (!ReadJsonWithKeyLines(text, document, keys, fault)) {
    error = at(fileName, fault.line) + fault.what;
    return false;
  }
  if (!document.is_object()) {
    error = at(fileName, 1) + "a profile is a JSON object with a \"settings\" object";
    return false;
  }
  if (!checkFields(document, keys, fileName, error)) return false;
  const auto settings = document.find(kSettingsField);
  if (settings == document.end()) {
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
