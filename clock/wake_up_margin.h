// SPDX-License-Identifier: MIT
// How long before a pause's end the real clock stops sleeping and waits the rest out awake.
//
// A sleeping thread wakes some tens of microseconds after the time it asked for, and a DSP
// dump makes about 4,000 short pauses: slept to their ends, they add several percent to it.
// Waking early by what recent sleeps overslept, and spinning the rest, ends each pause on time.
// The margin follows the machine: a few tens of microseconds where sleeps are punctual, more
// where they are not, and never more than a tenth of the pause, so the spin costs at most a
// tenth of one core however late the machine wakes.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>

namespace torvix {

class WakeUpMargin {
 public:
  using Nanoseconds = std::chrono::nanoseconds;

  // How early to wake for a pause of this length.
  Nanoseconds For(Nanoseconds pause) const;

  // How late the last sleep woke after the time it asked for.
  void Woke(Nanoseconds late);

 private:
  // The margin covers all but the latest two of the last 16 wake-ups: the rare sleep that a
  // busy machine held up for milliseconds no spin could have saved, and it widens nothing.
  static constexpr std::size_t kRemembered = 16;
  static constexpr std::size_t kCovered = 14;

  std::array<Nanoseconds, kRemembered> late_ = [] {
    std::array<Nanoseconds, kRemembered> start{};
    start.fill(std::chrono::microseconds{50});  // a usual wake-up, until there are sleeps
    return start;
  }();
  std::size_t next_ = 0;
};

}  // namespace torvix
