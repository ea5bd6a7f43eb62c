// SPDX-License-Identifier: MIT
// The HID devices the system has, and opening one: each system's own (hidraw_devices.cpp on
// Linux, win32_hid_devices.cpp on Windows).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridge/hid/hid_access.h"

namespace torvix {

struct HidDevice {
  std::string path;  // what OpenHidAccess opens; "" when the system gives no access to it
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::string serial;  // "" when it tells none
  // Linux: the kernel driver that has the device, when not the generic one, and the i2c-dev
  // bus it made of it ("i2c-7"; "" while it has made none).
  std::string driver;
  std::string i2cBus;
};

// Every HID device, in the order of their paths (hidraw2 before hidraw10).
std::vector<HidDevice> ListHidDevices();

struct HidAccessOpening {
  std::unique_ptr<HidAccess> access;
  std::string problem;  // in words, when access is null
};
HidAccessOpening OpenHidAccess(const std::string& path);

}  // namespace torvix
