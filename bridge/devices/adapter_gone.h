// SPDX-License-Identifier: MIT
// After a failed run, for a transport whose software board runs in process over an adapter (an
// i2c-dev bus, a HID chip): whether the adapter itself failed, and the words for one that went.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/devices/device_setting.h"
#include "bridge/include/quorlink.h"

namespace torvix {

// The board in process fails a request with a USB error code only when its adapter failed.
inline bool AdapterFailedTheRun(int16_t lastFailure) {
  return lastFailure >= QL_USB_COMMAND_ERROR && lastFailure <= QL_USB_READ_ERROR;
}

inline std::string AdapterGoneWords(const DeviceSetting& setting) {
  return "the adapter is gone: unplugged? (" + setting.text + ")";
}

}  // namespace torvix
