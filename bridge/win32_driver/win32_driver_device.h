// SPDX-License-Identifier: MIT
// The adapter board's Windows driver, reached with DeviceIoControl. Built on Windows only.
#pragma once

#include <memory>

#include "bridge/src/adapter_device.h"
#include "bridge/win32_driver/win32_driver_row.h"

namespace torvix {

// Opens the driver device by name; nullptr when CreateFileA fails.
std::unique_ptr<AdapterDevice> OpenWin32AdapterDevice(const char* deviceName);

}  // namespace torvix
