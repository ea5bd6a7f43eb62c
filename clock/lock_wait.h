// SPDX-License-Identifier: MIT
// Waiting for a lock that another program may hold: every such wait has the same limit, and
// runs on the clock seam, so a virtual clock passes through the whole of it at once.
#pragma once

#include <functional>

#include "clock/clock.h"

namespace torvix {

// How long a transfer or a register access waits for a lock before it gives up.
inline constexpr Milliseconds kLockWaitLimit{2000};
// How often it asks again meanwhile.
inline constexpr Milliseconds kLockRetryInterval{1};

// Calls ready at once, then after every kLockRetryInterval, until it returns true (true) or
// kLockWaitLimit has passed since the first call (false).
bool WaitForLock(const std::function<bool()>& ready);

// A lock taken for many short holds in a row, in two parts: the lock itself, and a turnstile
// that a waiter holds while it waits and that every taker must pass first. A holder that takes
// the lock again right after it let go finds the turnstile held and waits its turn, so a
// program waiting for one hold gets in between two holds of another, however close together.
enum class LockPart { kLock, kTurnstile };

// Asks for a part without waiting (held true), or gives it back (false): 0, EWOULDBLOCK while
// another holds it, or the errno for why it cannot be asked for at all.
using PartLock = std::function<int(LockPart part, bool held)>;

// Takes the lock through the turnstile, both within one kLockWaitLimit: 0 when the lock is
// held (the turnstile given back), EWOULDBLOCK when it stayed taken, or the errno of a part
// that cannot be asked for. Only the lock is left held, and only on 0.
int WaitForTurn(const PartLock& lock);

}  // namespace torvix
