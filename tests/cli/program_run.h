// SPDX-License-Identifier: MIT
// Running a built program as a script would: arguments, text on stdin, stdout and stderr
// captured, the exit code.
#pragma once

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
  run.code = WaitForExit(SpawnProgram(argv, in, out, err));
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace torvix::testing
