// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "clock/virtual_clock.h"

namespace torvix::testing {
namespace {

TEST(Clock, PausesGoToTheInstalledClockAndComeBackToTheRealOneAfter) {
  VirtualClock clock;
  {
    ScopedClock scope(clock);
    Pause(Milliseconds(2));
    Pause(Milliseconds(25));
    EXPECT_EQ(Now(), Microseconds(27000));
  }
  EXPECT_EQ(clock.Pauses(), (std::vector<Milliseconds>{Milliseconds(2), Milliseconds(25)}));
  EXPECT_NE(&CurrentClock(), &clock);
}

TEST(Clock, NestedScopesRestoreTheOuterClock) {
  VirtualClock outer;
  VirtualClock inner;
  ScopedClock a(outer);
  {
    ScopedClock b(inner);
    Pause(Milliseconds(5));
  }
  Pause(Milliseconds(1));
  EXPECT_EQ(inner.Now(), Microseconds(5000));
  EXPECT_EQ(outer.Now(), Microseconds(1000));
}

}  // namespace
}  // namespace torvix::testing
