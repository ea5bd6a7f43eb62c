// SPDX-License-Identifier: MIT
// A program run as `PROGRAM ... | true` runs once true has ended: standard output on a pipe
// whose reading end is closed, so that its first write meets it. Standard error goes to a file.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace torvix::testing {

// The exit status as a shell reports it: 128 + the signal for a program a signal ended.
inline int RunIntoClosedPipe(const std::vector<std::string>& argv, const std::string& err) {
  int ends[2] = {-1, -1};
  if (::pipe(ends) != 0) return -1;
  ::close(ends[0]);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, ends[1], 1);
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const bool spawned = posix_spawn(&pid, args[0], &files, nullptr, args.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&files);
  ::close(ends[1]);
  int status = 0;
  if (!spawned || ::waitpid(pid, &status, 0) != pid) return -1;
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace torvix::testing
