// SPDX-License-Identifier: MIT
#include "clock/wake_up_margin.h"

#include <algorithm>

namespace torvix {

WakeUpMargin::Nanoseconds WakeUpMargin::For(Nanoseconds pause) const {
  return std::min({mean_ + 4 * spread_, kMost, pause / 4});
}

void WakeUpMargin::Woke(Nanoseconds late) {
  // A sleep cut short counts as punctual, one held up by a busy machine as late as kMost, so a
  // single preemption does not keep the margin wide for the pauses after it.
  late = std::clamp(late, Nanoseconds{0}, kMost);
  const Nanoseconds error = late - mean_;
  mean_ += error / 8;
  spread_ += (error < Nanoseconds{0} ? -error : error) / 4 - spread_ / 4;
}

}  // namespace torvix
