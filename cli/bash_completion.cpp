// SPDX-License-Identifier: MIT
#include "cli/bash_completion.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "bridge/devices/transport_table.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

constexpr std::string_view kWordsLine = "@TORVIX_WORDS@";

// Words by command path: "" for torvix itself, then "dump", "dump dsp", ...
using WordsByPath = std::map<std::string, std::string>;

struct Words {
  WordsByPath commands;
  WordsByPath options;
  WordsByPath valueOptions;  // the options that take the next word as their value
  WordsByPath argument;      // the name of the command's argument (FILE, SETTING, ...)
};

void append(std::string& list, const std::string& word) {
  if (!list.empty()) list += ' ';
  list += word;
}

void collect(const CLI::App& app, const std::string& path, Words& words) {
  for (const CLI::Option* option : app.get_options()) {
    if (!option->nonpositional()) {
      words.argument[path] = option->get_name(true);
      continue;
    }
    for (const std::string& name : option->get_lnames()) {
      append(words.options[path], "--" + name);
      if (option->get_items_expected_min() != 0) append(words.valueOptions[path], "--" + name);
    }
    for (const std::string& name : option->get_snames()) append(words.options[path], "-" + name);
  }
  for (const CLI::App* command : app.get_subcommands({})) {
    append(words.commands[path], command->get_name());
    collect(*command, path.empty() ? command->get_name() : path + " " + command->get_name(), words);
  }
}

// "_torvix_NAME PATH" sets REPLY to the words of that path.
void caseFunction(std::ostream& out, const char* name, const WordsByPath& words) {
  out << "_torvix_" << name << "()\n{\n    case $1 in\n";
  for (const auto& [path, list] : words)
    out << "        '" << path << "') REPLY='" << list << "' ;;\n";
  out << "        *) REPLY='' ;;\n    esac\n}\n\n";
}

std::string settingNames(bool writableOnly) {
  std::string names;
  for (const CameraSetting& row : kSettingsTable) {
    const CliSetting& setting = CliSettingOf(static_cast<SettingId>(row.number));
    if (!writableOnly || setting.writable) append(names, setting.name);
  }
  return names;
}

// Each line of bash, indented by indent.
void indented(std::ostream& out, std::string_view lines, std::string_view indent) {
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    out << indent << lines.substr(0, end) << '\n';
    lines.remove_prefix(std::min(end + 1, lines.size()));
  }
}

// "_torvix_devices" completes --device's value: each transport of this system offers its
// settings, a path only where the word does not start with another's setting.
void devicesFunction(std::ostream& out) {
  std::string prefixes;
  for (const TransportRow& row : TransportRows()) {
    if (OnThisSystem(row.systems) && row.match == SettingMatch::kPrefix) {
      prefixes +=
          std::string(prefixes.empty() ? "" : " || ") + "$cur == " + std::string(row.setting) + "*";
    }
  }
  out << "_torvix_devices()\n{\n    COMPREPLY=()\n";
  for (const TransportRow& row : TransportRows()) {
    if (!OnThisSystem(row.systems)) continue;
    if (row.match == SettingMatch::kWhole) {
      out << "    COMPREPLY+=($(compgen -W \"" << row.setting << "\" -- \"$cur\"))\n";
    } else if (row.match == SettingMatch::kAnyOther && !prefixes.empty()) {
      out << "    if ! [[ " << prefixes << " ]]; then\n";
      indented(out, row.completion, "        ");
      out << "    fi\n";
    } else {
      indented(out, row.completion, "    ");
    }
  }
  out << "    __ltrim_colon_completions \"$cur\"\n}\n\n";
}

}  // namespace

std::string BashCompletion(const CLI::App& app, std::string_view completionTemplate) {
  const std::size_t at = completionTemplate.find(kWordsLine);
  if (at == std::string_view::npos) return {};
  Words words;
  collect(app, "", words);
  std::ostringstream out;
  out << completionTemplate.substr(0, at);
  caseFunction(out, "commands", words.commands);
  caseFunction(out, "options", words.options);
  caseFunction(out, "value_options", words.valueOptions);
  caseFunction(out, "argument", words.argument);
  devicesFunction(out);
  out << "_torvix_settings='" << settingNames(false) << "'\n";
  out << "_torvix_writable_settings='" << settingNames(true) << "'";
  out << completionTemplate.substr(at + kWordsLine.size());
  return out.str();
}

}  // namespace torvix
