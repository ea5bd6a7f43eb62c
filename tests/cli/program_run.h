// SPDX-License-Identifier: MIT
// Running a built program as a script would: arguments, text on stdin, stdout and stderr
// captured, the exit code.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace torvix::testing {

inline pid_t SpawnProgram(const std::vector<std::string>& argv, const std::filesystem::path& in,
                          const std::filesystem::path& out, const std::filesystem::path& err) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0].c_str(), &files, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&files);
  return pid;
}

// Runs argv to its end in folder (which receives the captured streams).
inline CliRun RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                         const std::string& input = "") {
  const auto in = folder / "stdin.txt";
  const auto out = folder / "stdout.txt";
  const auto err = folder / "stderr.txt";
  WriteFileBytes(in, input);
  CliRun run;
  const pid_t pid = SpawnProgram(argv, in, out, err);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    run.code = WEXITSTATUS(status);
  }
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace torvix::testing
