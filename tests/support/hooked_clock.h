// SPDX-License-Identifier: MIT
// Virtual time that runs a hook once, at its n-th pause: a daemon killed, or a second program's
// access slipped in, at a chosen step of an operation.
#pragma once

#include <functional>
#include <utility>

#include "clock/clock.h"

namespace torvix::testing {

class HookedClock final : public Clock {
 public:
  Microseconds Now() const override { return now_; }
  void Pause(Milliseconds duration) override {
    now_ += duration;
    if (++pauses == hookAt && hook) std::exchange(hook, nullptr)();
  }

  int pauses = 0;   // taken so far
  int hookAt = -1;  // the pause, counted from 1, after which the hook runs
  std::function<void()> hook;

 private:
  Microseconds now_{0};
};

}  // namespace torvix::testing
