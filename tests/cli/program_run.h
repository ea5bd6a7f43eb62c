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

// The exit code of pid, or -1 when it did not exit normally.
inline int WaitForExit(pid_t pid) {
  int status = 0;
  const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
  return exited ? WEXITSTATUS(status) : -1;
}

// Runs argv to its end in folder (which receives the captured streams).
inline CliRun RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                         const std::string& input = "") {
  const auto in = folder / "stdin.txt";
  const auto out = folder / "stdout.txt";
  const auto err = folder / "stderr.txt";
  WriteFileBytes(in, input);
  CliRun run;
  run.code = WaitForExit(SpawnProgram(argv, in, out, err));
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace torvix::testing
