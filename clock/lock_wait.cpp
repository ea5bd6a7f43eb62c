// SPDX-License-Identifier: MIT
#include "clock/lock_wait.h"

#include <cerrno>

namespace torvix {

bool WaitForLock(const std::function<bool()>& ready) {
  const Microseconds start = Now();
  while (!ready()) {
    if (Now() - start >= kLockWaitLimit) return false;
    Pause(kLockRetryInterval);
  }
  return true;
}

int WaitForTurn(const PartLock& lock) {
  bool inTurnstile = false;
  int error = 0;
  const bool answered = WaitForLock([&] {
    if (!inTurnstile) {
      error = lock(LockPart::kTurnstile, true);
      if (error != 0) return error != EWOULDBLOCK;
      inTurnstile = true;
    }
    error = lock(LockPart::kLock, true);
    return error != EWOULDBLOCK;
  });
  // Held or not, the next waiter may come up to the lock now.
  if (inTurnstile) lock(LockPart::kTurnstile, false);
  return answered ? error : EWOULDBLOCK;
}

}  // namespace torvix
