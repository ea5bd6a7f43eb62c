// SPDX-License-Identifier: MIT
// Holding the camera for one register access, against every other program on the same device.
//
// A register access is two transfers: one selects the register, the next writes or reads its
// value. Another program's access in between moves the camera's register pointer, and the
// value lands in the wrong register without any error. So the camera link holds the camera for
// each whole access (both transfers and their pauses).
//
// The lock in force is a seam like the clock. With none installed it is one for this process,
// which is all the in-process camera (QUORLINK_DEVICE=sim) needs; a program installs the lock
// of the device it talks to (camera/device_camera_lock.h) for its life.
#pragma once

#include <string>
#include <string_view>

namespace torvix {

// What the user is told when the camera did not come free in time: held names what another
// program keeps ("its lock on /dev/i2c-7"), so that it can be found.
std::string CameraBusyMessage(std::string_view held);

class CameraLock {
 public:
  virtual ~CameraLock() = default;
  // Takes the camera, waiting while another holds it, at most kLockWaitLimit on the clock
  // seam: true when it is ours, false when it stayed taken or its lock cannot be taken at all.
  virtual bool Take() = 0;
  // Gives back what the last successful Take took.
  virtual void Release() = 0;
  // Why the last Take failed, in words for the user.
  virtual std::string Problem() const = 0;
};

// The lock of this process.
CameraLock& ProcessCameraLock();

// The lock in force: ProcessCameraLock() unless a ScopedCameraLock installed another.
CameraLock& CurrentCameraLock();

// Installs a lock for the lifetime of this object and restores the previous one after.
class ScopedCameraLock {
 public:
  explicit ScopedCameraLock(CameraLock& lock);
  ~ScopedCameraLock();
  ScopedCameraLock(const ScopedCameraLock&) = delete;
  ScopedCameraLock& operator=(const ScopedCameraLock&) = delete;

 private:
  CameraLock* previous_;
};

// The camera held for one register access (or one address probe), from its first transfer to
// its last pause.
class CameraHold {
 public:
  CameraHold() : lock_(CurrentCameraLock()), held_(lock_.Take()) {}
  ~CameraHold() {
    if (held_) lock_.Release();
  }
  CameraHold(const CameraHold&) = delete;
  CameraHold& operator=(const CameraHold&) = delete;
  bool Held() const { return held_; }
  std::string Problem() const { return lock_.Problem(); }

 private:
  CameraLock& lock_;
  bool held_;
};

}  // namespace torvix
