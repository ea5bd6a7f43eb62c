// SPDX-License-Identifier: MIT
// zembrel-sim as a child process on a socket in a scratch folder, for tests and benchmarks:
// started, stopped or killed without warning, started again on the same socket (a killed
// one's socket file still lies there). Its standard output and error go to files in the folder.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "clock/clock.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {

class ZembrelProcess {
 public:
  explicit ZembrelProcess(std::string program)
      : program_(std::move(program)),
        dir_(scratch_.Path().string()),
        socket_((scratch_ / "zembrel-0").string()) {}
  ~ZembrelProcess() { Kill(); }
  ZembrelProcess(const ZembrelProcess&) = delete;
  ZembrelProcess& operator=(const ZembrelProcess&) = delete;

  const std::string& Socket() const { return socket_; }
  pid_t Pid() const { return pid_; }  // -1 while it is not running
  const std::string& Dir() const { return dir_; }
  // What the daemon wrote on standard error since it was last started.
  std::string Said() const { return ReadFileBytes(scratch_ / "zembrel-sim.err"); }

  // Starts the daemon on Socket() with these options more and waits, a bounded number of
  // times, until it accepts connections.
  bool Start(const std::vector<std::string>& options = {}) {
    pid_ = ::fork();
    if (pid_ == 0) {
      RedirectTo(1, scratch_ / "zembrel-sim.out");
      RedirectTo(2, scratch_ / "zembrel-sim.err");
      std::vector<char*> argv{program_.data(), const_cast<char*>("--socket"), socket_.data()};
      for (const std::string& option : options) argv.push_back(const_cast<char*>(option.c_str()));
      argv.push_back(nullptr);
      ::execv(program_.c_str(), argv.data());
      ::_exit(127);
    }
    for (int tries = 0; tries < 500; ++tries) {
      if (Accepts()) return true;
      // A real wait for another process to come up; it never decides a test's outcome.
      RealClock().Pause(Milliseconds{10});
    }
    return false;
  }

  // Sends the signal and waits: the exit code, or -1 when the daemon did not exit normally.
  int Stop(int signal = SIGTERM) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    const bool exited = ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status);
    pid_ = -1;
    return exited ? WEXITSTATUS(status) : -1;
  }

  // SIGKILL: no clean-up of any kind, as when the daemon crashes.
  void Kill() { Stop(SIGKILL); }

 private:
  static void RedirectTo(int fd, const std::filesystem::path& path) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) ::dup2(file, fd);
  }

  bool Accepts() const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
  }

  std::string program_;
  ScratchFolder scratch_;
  std::string dir_;
  std::string socket_;
  pid_t pid_ = -1;
};

}  // namespace torvix::testing
