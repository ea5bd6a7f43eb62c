#include "clock/clock.h"

#include <thread>

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

void RealClock::Pause(Milliseconds duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

Clock& CurrentClock() { return g_current != nullptr ? *g_current : TheRealClock(); }
void Pause(Milliseconds duration) { CurrentClock().Pause(duration); }
Microseconds Now() { return CurrentClock().Now(); }

ScopedClock::ScopedClock(Clock& clock) : previous_(g_current) { g_current = &clock; }
ScopedClock::~ScopedClock() { g_current = previous_; }

}  // namespace torvix
