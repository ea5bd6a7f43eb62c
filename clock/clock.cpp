// SPDX-License-Identifier: MIT
#include "clock/clock.h"

#include <thread>

#include "clock/wake_up_margin.h"

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

namespace {

#ifndef _WIN32
// Linux lets a sleeping thread wake up to 50 us late by default. Asking for the finest slack
// once per thread keeps the wake-up close to its time, and so the spin after it short.
void TightenTimerSlackOnce() {
#ifdef __linux__
  thread_local bool tightened = false;
  if (!tightened) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    tightened = true;
  }
#endif
}
#endif

void SleepUntil(std::chrono::steady_clock::time_point wake) {
#ifdef _WIN32
  // The C++ library's sleeps end on the system timer's ticks, 15.6 ms apart by default.
  SleepUntilOnWindows(wake);
#else
  TightenTimerSlackOnce();
  std::this_thread::sleep_until(wake);
#endif
}

}  // namespace

void RealClock::Pause(Milliseconds duration) {
  if (duration.count() <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + duration;
  // Per thread: each thread's sleeps tell how late that thread wakes.
  thread_local WakeUpMargin margin;
  const auto wake = deadline - margin.For(duration);
  SleepUntil(wake);
  margin.Woke(std::chrono::steady_clock::now() - wake);
  // The rest awake. Not yielding: on a busy machine a yield hands the processor to another
  // program for a whole time slice, milliseconds, where the spin keeps it for microseconds.
  while (std::chrono::steady_clock::now() < deadline) {
  }
}

Clock& CurrentClock() { return g_current != nullptr ? *g_current : TheRealClock(); }
void Pause(Milliseconds duration) { CurrentClock().Pause(duration); }
Microseconds Now() { return CurrentClock().Now(); }

ScopedClock::ScopedClock(Clock& clock) : previous_(g_current) { g_current = &clock; }
ScopedClock::~ScopedClock() { g_current = previous_; }

}  // namespace torvix
