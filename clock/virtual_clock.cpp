// SPDX-License-Identifier: MIT
#include "clock/virtual_clock.h"

namespace torvix {

void VirtualClock::Pause(Milliseconds duration) {
  pauses_.push_back(duration);
  if (duration.count() > 0) now_ += duration;
}

}  // namespace torvix
