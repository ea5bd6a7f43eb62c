// SPDX-License-Identifier: MIT
#include "camera/camera_lock.h"

#include <atomic>

#include "clock/lock_wait.h"

namespace torvix {

namespace {

// A flag rather than a mutex: it belongs to no thread, so a second link on the same thread
// finds the camera taken instead of deadlocking on itself.
class InProcessCameraLock final : public CameraLock {
 public:
  bool Take() override {
    return WaitForLock([this] { return !taken_.exchange(true); });
  }
  void Release() override { taken_ = false; }
  std::string Problem() const override { return CameraBusyMessage("it"); }

 private:
  std::atomic<bool> taken_{false};
};

CameraLock* g_current = nullptr;

}  // namespace

std::string CameraBusyMessage(std::string_view held) {
  return "The camera is busy: another program has held " + std::string(held) + " for more than 2 s";
}

CameraLock& ProcessCameraLock() {
  static InProcessCameraLock lock;
  return lock;
}

CameraLock& CurrentCameraLock() { return g_current != nullptr ? *g_current : ProcessCameraLock(); }

ScopedCameraLock::ScopedCameraLock(CameraLock& lock) : previous_(g_current) { g_current = &lock; }

ScopedCameraLock::~ScopedCameraLock() { g_current = previous_; }

}  // namespace torvix
