// SPDX-License-Identifier: MIT
// A built program started as a script starts it: its arguments, and its three standard streams
// opened on files (POSIX).
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace torvix::testing {

// As out: a pipe whose reading end is closed, as `| true` leaves it once true has ended.
inline const std::filesystem::path kClosedPipe = "|";

// The child's id, or -1 when it could not be started.
inline pid_t SpawnProgram(const std::vector<std::string>& argv, const std::filesystem::path& in,
                          const std::filesystem::path& out, const std::filesystem::path& err) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
  int pipe[2] = {-1, -1};
  if (out == kClosedPipe && ::pipe(pipe) == 0 && ::close(pipe[0]) == 0) {
    posix_spawn_file_actions_adddup2(&files, pipe[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0].c_str(), &files, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&files);
  if (pipe[1] >= 0) ::close(pipe[1]);
  return pid;
}

// The exit code of pid, or -1 when it did not exit normally.
inline int WaitForExit(pid_t pid) {
  int status = 0;
  const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
  return exited ? WEXITSTATUS(status) : -1;
}

}  // namespace torvix::testing
