// SPDX-License-Identifier: MIT
#include "clock/wake_up_margin.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct Sleeps {
  int sleeps;
  int lateUs;
};

// How a machine's sleeps wake, and the margin a pause should then get: at least the lateness
// that is usual by then (the pause ends on time), little more (the spin stays short).
struct Machine {
  const char* name;
  std::vector<Sleeps> runs;
  int pauseMs;
  int atLeastUs;
  int atMostUs;
};

class WakeUpMarginOf : public ::testing::TestWithParam<Machine> {};

TEST_P(WakeUpMarginOf, CoversTheUsualLatenessAndLittleMore) {
  WakeUpMargin margin;
  for (const Sleeps& run : GetParam().runs) {
    for (int i = 0; i < run.sleeps; ++i) margin.Woke(microseconds{run.lateUs});
  }
  const auto us =
      std::chrono::duration_cast<microseconds>(margin.For(milliseconds{GetParam().pauseMs}))
          .count();
  EXPECT_GE(us, GetParam().atLeastUs);
  EXPECT_LE(us, GetParam().atMostUs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WakeUpMarginOf,
    ::testing::Values(
        // clang-format off
        Machine{"Punctual", {{100, 5}}, 2, 5, 8},
        Machine{"Late", {{100, 300}}, 2, 300, 310},
        // Woken alternately 40 and 80 us late: the margin covers the later ones.
        Machine{"Jittery", {{100, 40}, {100, 80}}, 2, 80, 200},
        // A timer that ends a hair early counts as punctual: no margin is needed.
        Machine{"WakesEarly", {{100, -20}}, 2, 0, 1},
        // One sleep held up 20 ms by a busy machine widens the margin for a few pauses only.
        Machine{"OnePreemption", {{100, 60}, {1, 20000}, {40, 60}}, 2, 60, 80},
        Machine{"PreemptedJustNow", {{100, 60}, {1, 20000}}, 2, 400, 500},
        // Never more than a quarter of the pause, nor than 500 us.
        Machine{"LateForAShortPause", {{100, 400}}, 1, 250, 250},
        Machine{"VeryLate", {{100, 5000}}, 25, 500, 500}),
    // clang-format on
    CaseName());

}  // namespace
}  // namespace torvix::testing
