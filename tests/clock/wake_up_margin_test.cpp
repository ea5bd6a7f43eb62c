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

// How a machine's sleeps wake, and the margin a pause should then get: the lateness that is
// usual by then (the pause ends on time), and no more (the spin stays short).
struct Machine {
  const char* name;
  std::vector<Sleeps> runs;
  int pauseMs;
  int marginUs;
};

class WakeUpMarginOf : public ::testing::TestWithParam<Machine> {};

TEST_P(WakeUpMarginOf, CoversTheUsualLatenessAndNoMore) {
  WakeUpMargin margin;
  for (const Sleeps& run : GetParam().runs) {
    for (int i = 0; i < run.sleeps; ++i) margin.Woke(microseconds{run.lateUs});
  }
  const auto us =
      std::chrono::duration_cast<microseconds>(margin.For(milliseconds{GetParam().pauseMs}))
          .count();
  EXPECT_EQ(us, GetParam().marginUs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WakeUpMarginOf,
    ::testing::Values(
        // clang-format off
        Machine{"Punctual", {{100, 5}}, 2, 5},
        Machine{"Late", {{100, 150}}, 2, 150},
        // Woken alternately 40 and 80 us late: the margin covers the later ones.
        Machine{"Jittery", {{100, 40}, {100, 80}}, 2, 80},
        // A timer that ends a hair early counts as punctual: no margin is needed.
        Machine{"WakesEarly", {{100, -20}}, 2, 0},
        // Sleeps held up for milliseconds by a busy machine widen nothing while they are rare,
        Machine{"TwoPreemptions", {{100, 60}, {1, 20000}, {5, 60}, {1, 9000}}, 2, 60},
        // and while they are not, the spin stays within a tenth of the pause.
        Machine{"BusyMachine", {{100, 60}, {3, 20000}}, 2, 200},
        Machine{"LateForAShortPause", {{100, 400}}, 1, 100}),
    // clang-format on
    CaseName());

}  // namespace
}  // namespace torvix::testing
