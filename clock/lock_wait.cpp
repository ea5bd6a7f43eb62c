// SPDX-License-Identifier: MIT
#include "clock/lock_wait.h"

namespace torvix {

bool WaitForLock(const std::function<bool()>& ready) {
  const Microseconds start = Now();
  while (!ready()) {
    if (Now() - start >= kLockWaitLimit) return false;
    Pause(kLockRetryInterval);
  }
  return true;
}

}  // namespace torvix
