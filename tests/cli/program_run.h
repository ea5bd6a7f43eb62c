// SPDX-License-Identifier: MIT
// Running a built program as a script would: arguments, text on stdin, stdout and stderr
// captured, the exit code.
#pragma once

#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/spawn_program.h"

namespace torvix::testing {

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
