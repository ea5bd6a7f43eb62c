// zembrel-sim as a child process on a socket in a scratch folder, for tests and benchmarks:
// started, killed without warning, started again on the same socket (a killed
// one's socket file still lies there).
#pragma once

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "tests/support/scratch_folder.h"

namespace torvix {

class ZembrelProcess {
 public:
  ZembrelProcess() : dir_(scratch_.Path().string()), socket_((scratch_ / "zembrel-0").string()) {}
  ~ZembrelProcess() { Kill(); }
  ZembrelProcess(const ZembrelProcess&) = delete;
  ZembrelProcess& operator=(const ZembrelProcess&) = delete;

  const std::string& Socket() const { return socket_; }
  const std::string& Dir() const { return dir_; }

  // Starts the daemon and waits, a bounded number of times, until it accepts connections.
  bool Start() {
    pid_ = ::fork();
    if (pid_ == 0) {
      std::vector<char*> argv{const_cast<char*>(ZEMBREL_SIM_PATH), const_cast<char*>("--socket"),
                              const_cast<char*>(socket_.c_str()), nullptr};
      ::execv(ZEMBREL_SIM_PATH, argv.data());
      ::_exit(127);
    }
    for (int tries = 0; tries < 500; ++tries) {
      if (Accepts()) return true;
      // A real wait for another process to come up; it never decides a test's outcome.
      RealClock().Pause(Milliseconds{10});
    }
    return false;
  }

  // SIGKILL: no clean-up of any kind, as when the daemon crashes.
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  bool Accepts() const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
  }

  testing::ScratchFolder scratch_;
  std::string dir_;
  std::string socket_;
  pid_t pid_ = -1;
};

}  // namespace torvix
