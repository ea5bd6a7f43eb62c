// SPDX-License-Identifier: MIT
// The adapter board's Windows driver, reached with DeviceIoControl: QUORLINK_DEVICE unset for
// the board's own device \\.\zembrel-0, or \\.\NAME for another driver device. Nothing else is
// handed to CreateFileA, which would open whatever file happens to carry the name.
#pragma once

#include <memory>

#include "bridge/devices/transport_row.h"

namespace torvix {

class AdapterDevice;

struct Win32DriverTransport {
  static constexpr TransportFacts kFacts{
      .setting = "\\\\.\\",
      .match = SettingMatch::kPrefix,
      .takesUnset = true,
      .systems = Systems::kWindows,
      .form = "\\\\.\\NAME",
      .kind = "a driver device \\\\.\\NAME",
      .use = "\\\\.\\NAME for another driver device",
      .unsetDevice = "\\\\.\\zembrel-0",
      .unsetWhat = "the adapter's driver",
      .listed = "",
      .noneListed = "",
      .completion = "",
  };
  // On Windows the camera lock is the process's alone, so no identity.
  // The library's alone (win32_driver_device.cpp).
  static std::unique_ptr<AdapterDevice> Open(const DeviceSetting& setting);
};

}  // namespace torvix
