// SPDX-License-Identifier: MIT
// The camera lock across programs: a lock file per device, held with flock (POSIX).
//
// The device is the one QUORLINK_DEVICE names when the lock is taken: a socket by its path, an
// i2c-dev bus by the device it resolves to (so i2c:7, i2c:/dev/i2c-7 and the adapter's name
// share one lock). The in-process camera (sim) has the process's lock. The file lives only
// while a program holds it. Programs that do not take the lock (i2c-tools, another program's
// own code) are not held off by it.
#pragma once

#include <filesystem>
#include <string>

#include "camera/camera_lock.h"

namespace torvix {

// Where lock files shared by every user go: /run/lock where it is open to all, else /tmp.
std::filesystem::path SharedLockFolder();

// The lock file in folder for the device setting names (null or empty: the default socket);
// "" when the device has no file of its own (sim, or an i2c bus that is not there).
std::string CameraLockFile(const std::filesystem::path& folder, const char* setting);

class DeviceCameraLock final : public CameraLock {
 public:
  explicit DeviceCameraLock(std::filesystem::path folder) : folder_(std::move(folder)) {}
  ~DeviceCameraLock() override;
  DeviceCameraLock(const DeviceCameraLock&) = delete;
  DeviceCameraLock& operator=(const DeviceCameraLock&) = delete;

  // A lock file that cannot be opened (a folder the user may not write, something else at its
  // name) holds nothing: the access goes ahead as it would without a lock.
  bool Take() override;
  void Release() override;

 private:
  bool tryFile();

  std::filesystem::path folder_;
  std::string file_;
  int fd_ = -1;
  bool locked_ = false;
  bool inProcess_ = false;
};

}  // namespace torvix
