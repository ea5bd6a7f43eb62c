// SPDX-License-Identifier: MIT
#include "cli/argument_check.h"

#include <cctype>
#include <ostream>

namespace torvix {

namespace {

// "-d", "--adress", "--device=sim"; not "-" (standard input or output) and not "-1".
bool looksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         (arg[1] == '-' || std::isalpha(static_cast<unsigned char>(arg[1])) != 0);
}

const CLI::App* subcommandNamed(const CLI::App& app, const std::string& name) {
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == name) return command;
  }
  return nullptr;
}

// "torvix", "torvix settings", "torvix dump dsp".
std::string commandPath(const CLI::App& app) {
  const CLI::App* parent = app.get_parent();
  return parent == nullptr ? app.get_name() : commandPath(*parent) + " " + app.get_name();
}

// The option arg names on app: "--device=sim" by its name, "-yh" as -y and -h.
const CLI::Option* optionOf(const CLI::App& app, const std::string& arg) {
  const std::string name = arg.substr(0, arg.find('='));
  if (const CLI::Option* option = app.get_option_no_throw(name)) return option;
  if (arg[1] == '-' || arg.find('=') != std::string::npos) return nullptr;
  const CLI::Option* last = nullptr;
  for (std::size_t i = 1; i < arg.size(); ++i) {
    last = app.get_option_no_throw(std::string{'-', arg[i]});
    if (last == nullptr || last->get_items_expected_min() != 0) return nullptr;
  }
  return last;
}

bool takesValue(const CLI::Option& option, const std::string& arg) {
  return option.get_items_expected_min() != 0 && arg.find('=') == std::string::npos;
}

void reportOption(const CLI::App& at, const std::string& arg, std::ostream& err) {
  const std::string name = arg.substr(0, arg.find('='));
  err << "Error: unknown option '" << name << "'";
  const CLI::App* root = &at;
  while (root->get_parent() != nullptr) root = root->get_parent();
  if (root == &at) {
    err << " (see torvix --help)\n";
    return;
  }
  const std::string path = commandPath(at);
  err << " for " << path.substr(path.find(' ') + 1);
  if (optionOf(*root, arg) != nullptr) err << "; torvix's own options go before the command";
  err << " (see " << path << " --help)\n";
}

}  // namespace

bool ReportUnknownWord(const CLI::App& app, const std::vector<std::string>& args,
                       std::ostream& err) {
  const CLI::App* at = &app;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") return false;  // the rest is arguments, whatever they look like
    if (looksLikeOption(arg)) {
      const CLI::Option* option = optionOf(*at, arg);
      if (option == nullptr) {
        reportOption(*at, arg, err);
        return true;
      }
      if (takesValue(*option, arg)) ++i;
      continue;
    }
    if (const CLI::App* command = subcommandNamed(*at, arg)) {
      at = command;
    } else if (at == &app) {
      err << "Error: unknown command '" << arg << "' (see torvix --help)\n";
      return true;
    }
  }
  return false;
}

std::vector<std::string> WithEmptyValuesApart(const std::vector<std::string>& args) {
  std::vector<std::string> apart;
  bool options = true;
  for (const std::string& arg : args) {
    options = options && arg != "--";
    if (options && arg.size() > 3 && arg.starts_with("--") && arg.ends_with('=')) {
      apart.insert(apart.end(), {arg.substr(0, arg.size() - 1), ""});
    } else {
      apart.push_back(arg);
    }
  }
  return apart;
}

}  // namespace torvix
