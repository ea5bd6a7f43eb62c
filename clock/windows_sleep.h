// SPDX-License-Identifier: MIT
// Sleeping on Windows without the system timer's 15.6 ms steps: a 1 ms pause that took a whole
// tick would stretch a DSP dump (2048 reads with 2 + 1 ms of pauses) from six seconds to two
// minutes. Built on Windows only.
#pragma once

#include <chrono>

namespace torvix {

// Returns once the steady clock has passed deadline, typically within half a millisecond of it.
void SleepUntilOnWindows(std::chrono::steady_clock::time_point deadline);

}  // namespace torvix
