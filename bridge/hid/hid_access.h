// SPDX-License-Identifier: MIT
// The seam between a HID bridge chip's protocol and the system's HID access: interrupt reports
// each way with a deadline, and feature reports. The chips' protocols (mcp2221_bus.h,
// cp2112_bus.h) are the same on every system; behind this seam Linux reads and writes
// /dev/hidrawN (hidraw_access.cpp) and Windows calls hid.dll (win32_hid_access.cpp). Tests put
// a chip emulator behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "clock/clock.h"

namespace torvix {

enum class HidOutcome {
  kDone,
  kTimeout,  // nothing came, or could be sent, before the deadline
  kGone,     // the device is gone (unplugged), or the system failed the request
};

struct HidRead {
  HidOutcome outcome = HidOutcome::kGone;
  std::size_t size = 0;  // bytes of the report, on kDone
};

class HidAccess {
 public:
  virtual ~HidAccess() = default;
  // An output report: its number first (0 on a device without numbered reports), then its
  // bytes. The access pads it to the device's output report length.
  virtual HidOutcome Write(std::span<const uint8_t> report, Microseconds deadline) = 0;
  // The next input report as the device sent it: its number first on a device with numbered
  // reports, its bytes alone on one without. Waits until deadline, a time of the clock seam's
  // Now; at once kTimeout when the deadline has passed and no report waits.
  virtual HidRead Read(std::span<uint8_t> buffer, Microseconds deadline) = 0;
  // The feature report whose number is report[0], read into report (number first). The
  // system bounds it (a USB control request's own time-out).
  virtual HidRead GetFeature(std::span<uint8_t> report) = 0;
  // Sets a feature report, its number first.
  virtual HidOutcome SetFeature(std::span<const uint8_t> report) = 0;
  // Keeps other programs of ours off the device for one transfer, as the i2c-dev bus's flock
  // does: false when another kept it for kLockWaitLimit. Release gives it back.
  virtual bool Claim() { return true; }
  virtual void Release() {}
};

}  // namespace torvix
