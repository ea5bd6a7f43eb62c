// SPDX-License-Identifier: MIT
// Faults that act on the bus itself, whatever device is addressed.
#pragma once

#include <cstdint>
#include <optional>

#include "clock/clock.h"

namespace torvix {

struct BusFaults {
  // Every transfer ends with this status byte and reaches no device.
  std::optional<uint8_t> forcedStatus;
  // Another master holds the bus in [busyFrom, busyUntil): transfers get kStatusBusBusy and
  // the bus state reads busy.
  Microseconds busyFrom{0};
  Microseconds busyUntil{0};

  bool BusyAt(Microseconds now) const { return now >= busyFrom && now < busyUntil; }
};

}  // namespace torvix
