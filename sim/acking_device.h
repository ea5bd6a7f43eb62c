// SPDX-License-Identifier: MIT
// A device that acknowledges every transfer and reads as 0xFF: a stand-in for other chips on
// the bus, so address searches find more than the camera.
#pragma once

#include <algorithm>

#include "board/adapter_protocol.h"
#include "sim/i2c_device.h"

namespace torvix {

class AckingDevice final : public I2cDevice {
 public:
  explicit AckingDevice(uint8_t address7) : address7_(address7 & 0x7F) {}

  uint8_t Address7() const override { return address7_; }
  uint8_t Write(std::span<const uint8_t>) override { return kStatusDone; }
  uint8_t Read(std::span<uint8_t> data) override {
    std::fill(data.begin(), data.end(), uint8_t{0xFF});
    return kStatusDone;
  }

 private:
  uint8_t address7_;
};

}  // namespace torvix
