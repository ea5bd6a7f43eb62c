// SPDX-License-Identifier: MIT
#include "clock/clock.h"

#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif
#ifdef _WIN32
#include "clock/windows_sleep.h"
#endif

namespace torvix {

namespace {
RealClock& TheRealClock() {
  static RealClock clock;
  return clock;
}
Clock* g_current = nullptr;
}  // namespace

Microseconds RealClock::Now() const {
  return std::chrono::duration_cast<Microseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

#ifndef _WIN32
namespace {
// Linux lets a sleeping thread wake up to 50 us late by default; a settings read makes
// about ninety short pauses, so that slack alone adds several percent to it. Asking for
// the finest slack once per thread keeps every pause within a few microseconds of its length.
void TightenTimerSlackOnce() {
#ifdef __linux__
  thread_local bool tightened = false;
  if (!tightened) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    tightened = true;
  }
#endif
}
}  // namespace
#endif

void RealClock::Pause(Milliseconds duration) {
  if (duration.count() <= 0) return;
#ifdef _WIN32
  // The C++ library's sleeps end on the system timer's ticks, 15.6 ms apart by default.
  SleepUntilOnWindows(std::chrono::steady_clock::now() + duration);
#else
  TightenTimerSlackOnce();
  std::this_thread::sleep_until(std::chrono::steady_clock::now() + duration);
#endif
}

Clock& CurrentClock() { return g_current != nullptr ? *g_current : TheRealClock(); }
void Pause(Milliseconds duration) { CurrentClock().Pause(duration); }
Microseconds Now() { return CurrentClock().Now(); }

ScopedClock::ScopedClock(Clock& clock) : previous_(g_current) { g_current = &clock; }
ScopedClock::~ScopedClock() { g_current = previous_; }

}  // namespace torvix
