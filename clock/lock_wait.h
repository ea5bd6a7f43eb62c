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

}  // namespace torvix
