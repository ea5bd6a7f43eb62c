// SPDX-License-Identifier: MIT
// What sysfs tells of the kernel driver behind an i2c-dev bus's adapter: its name, for the
// errno it gives that means other than the kernel asks, and whether it has finished starting.
//
// A driver makes its adapter while it starts on its device, and the bus's node appears at
// once; not every driver can carry a transfer by then. hid-mcp2221 (Linux 6.1) asks its chip
// for the clock and for each of its four pins while it starts, and the HID core passes on no
// answer before the driver has started, so each question waits out 4 s: for some 25 s after the
// chip is plugged in its bus is there and every transfer on it times out. The last thing it does
// is add its GPIO chip, on a kernel with GPIO support.
#pragma once

#include <filesystem>
#include <string>

namespace torvix {

struct I2cAdapterDriver {
  std::string name;       // as sysfs names it ("mcp2221", "cp2112", "i2c-tiny-usb"); "" unknown
  bool starting = false;  // it has not finished starting on its device
};

// The driver of the adapter whose bus device is devicePath (/dev/i2c-N), read under sysRoot:
// the device the adapter belongs to, and its driver's link.
I2cAdapterDriver FindI2cAdapterDriver(const std::filesystem::path& sysRoot,
                                      const std::string& devicePath);

}  // namespace torvix
