// SPDX-License-Identifier: MIT
// The one seam through which the system waits and tells time.
//
// The controller's pauses are part of its behaviour (2 ms after a register request, 100 ms
// after an accepted setting, 1500 ms after a reset). Production code sleeps; tests install a
// VirtualClock, so a pause takes no real time and the bus log still shows it.
#pragma once

#include <chrono>

namespace torvix {

using Milliseconds = std::chrono::milliseconds;
using Microseconds = std::chrono::microseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  // Time since an arbitrary, fixed origin of this clock.
  virtual Microseconds Now() const = 0;
  // Blocks the calling thread for the duration (a virtual clock only moves its time).
  virtual void Pause(Milliseconds duration) = 0;
};

// Waits for real on the steady clock: sleeps until shortly before a pause ends and spins the
// rest (clock/wake_up_margin.h), so that many short pauses do not add up late.
class RealClock final : public Clock {
 public:
  Microseconds Now() const override;
  void Pause(Milliseconds duration) override;
};

// The clock in force: the real clock unless a ScopedClock installed another.
Clock& CurrentClock();
void Pause(Milliseconds duration);
Microseconds Now();

// Installs a clock for the lifetime of this object and restores the previous one after.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace torvix
