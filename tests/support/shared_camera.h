// SPDX-License-Identifier: MIT
// One camera that two programs share: zembrel-sim as a child process, QUORLINK_DEVICE naming
// its socket for this process and the programs it starts (put back after), this process's
// accesses under the camera lock a program installs, and, when asked, another program that took
// the camera and stopped (SIGSTOP) while it holds it, as one in a debugger or after Ctrl-Z.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "board/socket_path.h"
#include "camera/device_camera_lock.h"
#include "tests/support/saved_environment.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {

class SharedCamera {
 public:
  explicit SharedCamera(std::string zembrelSim, const std::vector<std::string>& options = {})
      : daemon_(std::move(zembrelSim)), started_(daemon_.Start(options)) {
    ::setenv("QUORLINK_DEVICE", daemon_.Socket().c_str(), 1);
  }
  ~SharedCamera() { LetTheHolderGo(); }

  bool Started() const { return started_; }
  ZembrelProcess& Daemon() { return daemon_; }
  std::string LockFile() const { return SocketLockPath(daemon_.Socket()); }

  // True once the other program holds the camera and has stopped.
  bool StopAHolder() {
    holder_ = ::fork();
    if (holder_ == 0) {
      DeviceCameraLock held;
      if (held.Take()) ::raise(SIGSTOP);
      ::_exit(0);
    }
    int status = 0;
    return ::waitpid(holder_, &status, WUNTRACED) == holder_ && WIFSTOPPED(status);
  }
  void LetTheHolderGo() {
    if (holder_ > 0 && ::kill(holder_, SIGKILL) == 0) ::waitpid(holder_, nullptr, 0);
    holder_ = -1;
  }

 private:
  SavedEnvironment device_{"QUORLINK_DEVICE"};
  ZembrelProcess daemon_;
  bool started_;
  DeviceCameraLock lock_;
  ScopedCameraLock useLock_{lock_};
  pid_t holder_ = -1;
};

}  // namespace torvix::testing
