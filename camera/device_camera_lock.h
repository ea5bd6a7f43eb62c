// SPDX-License-Identifier: MIT
// The camera lock across programs (POSIX), kept where only those who may reach the camera can
// touch it: an i2c-dev bus's device node itself, or the lock file a board daemon makes beside
// its socket with the socket's owner and mode (SocketLockPath). Two bytes of it are locked with
// open file description locks (F_OFD_SETLK): the camera, and the turnstile a waiter holds
// (clock/lock_wait.h), so a program waiting for one access gets in between two accesses of
// another. Nothing is created or removed per access: the locks go with the descriptor.
//
// The device is the one QUORLINK_DEVICE names when the lock is taken: a socket by its path, an
// i2c-dev bus by the node it resolves to (so i2c:7, i2c:/dev/i2c-7 and the adapter's name
// share one lock). The in-process camera (sim) has the process's lock, and so has a device that
// is not there (no socket at the path, no such bus or node): nothing can reach it, and the
// bridge says so in its own words. A lock that is there and cannot be taken fails the access in
// words that name it. Programs that do not take the lock (i2c-tools, another program's own code)
// are not held off by it; the bus's own flock, a lock of another kind, is not touched by it.
#pragma once

#include <string>

#include "bridge/devices/transport_row.h"
#include "camera/camera_lock.h"

namespace torvix {

// What holds the camera of a device: path is what is locked (empty: the process's lock), and
// socket, for a lock file, the socket whose owner it must belong to. The row of the library's
// table of transports that takes the setting says which.
using CameraLockTarget = CameraIdentity;

// The target for the device setting names (null or empty: the default device).
CameraLockTarget CameraLockTargetOf(const char* setting);

class DeviceCameraLock final : public CameraLock {
 public:
  DeviceCameraLock() = default;
  ~DeviceCameraLock() override;
  DeviceCameraLock(const DeviceCameraLock&) = delete;
  DeviceCameraLock& operator=(const DeviceCameraLock&) = delete;

  bool Take() override;
  void Release() override;
  std::string Problem() const override { return problem_; }

 private:
  bool takeInProcess();

  int fd_ = -1;
  bool inProcess_ = false;
  std::string problem_;
};

}  // namespace torvix
