// SPDX-License-Identifier: MIT
// How long before a pause's end the real clock stops sleeping and waits the rest out awake.
//
// A sleeping thread wakes some tens of microseconds after the time it asked for, and a DSP
// dump makes about 4,000 short pauses: slept to their ends, they add several percent to it.
// Waking early by what recent sleeps overslept, and spinning the rest, ends each pause on time;
// the margin follows the machine, so the spin stays a few microseconds long where sleeps are
// punctual and grows only where they are not.
#pragma once

#include <chrono>

namespace torvix {

class WakeUpMargin {
 public:
  using Nanoseconds = std::chrono::nanoseconds;

  // Never more than this, nor more than a quarter of the pause: a machine whose sleeps end
  // far later than that is late anyway, and spinning longer would only burn the processor.
  static constexpr Nanoseconds kMost = std::chrono::microseconds{500};

  // How early to wake for a pause of this length.
  Nanoseconds For(Nanoseconds pause) const;

  // How late the last sleep woke after the time it asked for.
  void Woke(Nanoseconds late);

 private:
  // The lateness and its spread, smoothed over the last few sleeps as TCP smooths its round
  // trips: the margin is the one plus four times the other.
  Nanoseconds mean_ = std::chrono::microseconds{50};
  Nanoseconds spread_ = std::chrono::microseconds{25};
};

}  // namespace torvix
