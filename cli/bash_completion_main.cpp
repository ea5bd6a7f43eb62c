// SPDX-License-Identifier: MIT
// torvix-bash-completion TEMPLATE OUTPUT: writes torvix's bash completion when torvix is built.
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/bash_completion.h"
#include "cli/torvix_app.h"

namespace {

int writeCompletion(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "Usage: torvix-bash-completion TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream completionTemplate;
  completionTemplate << in.rdbuf();
  CLI::App app{"", "torvix"};
  torvix::TorvixOptions options;
  torvix::TorvixCommand command;
  torvix::DefineTorvixApp(app, options, command);
  const std::string script = torvix::BashCompletion(app, completionTemplate.str());
  if (!in || script.empty()) {
    std::cerr << "torvix-bash-completion: " << argv[1] << " is no completion template\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << script;
  out.close();
  if (!out) {
    std::cerr << "torvix-bash-completion: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

// A build step: whatever goes wrong ends it with a line that says what, never with an abort.
int main(int argc, char** argv) {
  try {
    return writeCompletion(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "torvix-bash-completion: " << error.what() << '\n';
    return 1;
  }
}
