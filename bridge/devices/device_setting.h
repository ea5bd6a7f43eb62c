// SPDX-License-Identifier: MIT
// The device setting (QUORLINK_DEVICE) read in one place for every room: the row of the table
// of transports that takes it and what it says to that row. No other code reads the setting's
// text.
#pragma once

#include <optional>
#include <string>

#include "bridge/devices/transport_row.h"

namespace torvix {

struct DeviceSetting {
  const TransportRow* row = nullptr;  // never null in a setting the parser gave
  std::string text;                   // the setting as given; "" when unset
  // What follows the row's own setting ("7" of "i2c:7"), or the whole of a setting no other row
  // takes (a socket's path); "" when unset.
  std::string argument;
  bool named = false;  // false: unset or empty, so the row's own default device
};

// The row among this system's transports that takes setting (null or empty: the one that
// takes an unset setting), or nothing when none here does (on Windows, a name that is neither
// sim nor a driver device \\.\NAME).
std::optional<DeviceSetting> ParseDeviceSetting(const char* setting);

// QUORLINK_DEVICE as it is now.
std::optional<DeviceSetting> CurrentDeviceSetting();

}  // namespace torvix
