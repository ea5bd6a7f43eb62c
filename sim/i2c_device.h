// SPDX-License-Identifier: MIT
// A device on the virtual I2C bus.
#pragma once

#include <cstdint>
#include <span>

namespace torvix {

class I2cDevice {
 public:
  virtual ~I2cDevice() = default;
  // The 7-bit address the device answers at right now.
  virtual uint8_t Address7() const = 0;
  // One addressed write; the board's status byte for it (kStatusAddressNack when the device
  // does not acknowledge its address, kStatusDataNack when it refuses a byte).
  virtual uint8_t Write(std::span<const uint8_t> data) = 0;
  // One addressed read that fills data; the status byte as for Write.
  virtual uint8_t Read(std::span<uint8_t> data) = 0;
};

}  // namespace torvix
