// SPDX-License-Identifier: MIT
// A clock whose time moves only when someone pauses on it or advances it.
#pragma once

#include <vector>

#include "clock/clock.h"

namespace torvix {

class VirtualClock final : public Clock {
 public:
  Microseconds Now() const override { return now_; }
  void Pause(Milliseconds duration) override;
  void Advance(Microseconds duration) { now_ += duration; }

  // Every pause taken, in order, so a test can assert the sequence of waits.
  const std::vector<Milliseconds>& Pauses() const { return pauses_; }
  void ClearPauses() { pauses_.clear(); }

 private:
  Microseconds now_{0};
  std::vector<Milliseconds> pauses_;
};

}  // namespace torvix
