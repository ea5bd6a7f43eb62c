// SPDX-License-Identifier: MIT
#include "clock/wake_up_margin.h"

#include <algorithm>

namespace torvix {

WakeUpMargin::Nanoseconds WakeUpMargin::For(Nanoseconds pause) const {
  std::array<Nanoseconds, kRemembered> ranked = late_;
  std::nth_element(ranked.begin(), ranked.begin() + (kCovered - 1), ranked.end());
  return std::min(ranked[kCovered - 1], pause / 10);
}

void WakeUpMargin::Woke(Nanoseconds late) {
  // A timer that ends a hair early was punctual.
  late_[next_] = std::max(late, Nanoseconds{0});
  next_ = (next_ + 1) % kRemembered;
}

}  // namespace torvix
