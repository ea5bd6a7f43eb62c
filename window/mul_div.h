// SPDX-License-Identifier: MIT
// The platform's MulDiv: a * b / c in 64 bits, rounded to the nearest integer (halves away
// from zero), -1 when c is 0 or the result does not fit. Dialog units become pixels through it.
#pragma once

#include <cstdint>
#include <limits>

namespace torvix {

constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
  const std::int64_t rounded = ((product < 0) != (c < 0) ? product - half : product + half) / c;
  if (rounded > std::numeric_limits<int>::max() || rounded < std::numeric_limits<int>::min()) {
    return -1;
  }
  return static_cast<int>(rounded);
}

}  // namespace torvix
