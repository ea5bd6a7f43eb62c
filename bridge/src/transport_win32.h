// SPDX-License-Identifier: MIT
// The adapter board's Windows driver, reached with DeviceIoControl. Built on Windows only.
#pragma once

#include <memory>
#include <string_view>

#include "bridge/src/adapter_device.h"

namespace torvix {

inline constexpr const char* kWin32DeviceName = "\\\\.\\zembrel-0";

// A device name in the driver's namespace, \\.\NAME: what QUORLINK_DEVICE may name besides sim.
bool IsWin32DeviceName(std::string_view name);

// Opens the driver device by name; nullptr when CreateFileA fails.
std::unique_ptr<AdapterDevice> OpenWin32AdapterDevice(const char* deviceName);

}  // namespace torvix
