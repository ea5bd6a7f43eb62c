// SPDX-License-Identifier: MIT
// The pauses a test expects a virtual clock to have seen, written as plain milliseconds.
#pragma once

#include <initializer_list>
#include <vector>

#include "clock/clock.h"

namespace torvix::testing {

inline std::vector<Milliseconds> Ms(std::initializer_list<int> values) {
  std::vector<Milliseconds> out;
  for (int v : values) out.emplace_back(v);
  return out;
}

}  // namespace torvix::testing
