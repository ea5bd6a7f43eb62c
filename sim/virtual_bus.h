// SPDX-License-Identifier: MIT
// The virtual I2C bus: dispatches each transfer to the device at its 7-bit address and logs it.
#pragma once

#include <vector>

#include "board/i2c_bus.h"
#include "sim/bus_faults.h"
#include "sim/bus_log.h"
#include "sim/i2c_device.h"

namespace torvix {

class VirtualBus final : public I2cBus {
 public:
  VirtualBus(BusLog& log, const BusFaults& faults) : log_(log), faults_(faults) {}

  // Devices are not owned; the first one attached wins when two share an address.
  void Attach(I2cDevice& device);
  void Detach(const I2cDevice& device);
  void DetachAll() { devices_.clear(); }

  uint8_t Write(uint8_t address7, std::span<const uint8_t> data) override;
  uint8_t Read(uint8_t address7, std::span<uint8_t> data) override;
  uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                    std::span<uint8_t> read) override;
  uint8_t BusState() override;

 private:
  I2cDevice* Find(uint8_t address7) const;
  // The status forced by a bus fault, or kStatusDone when the transfer may go ahead.
  uint8_t FaultStatus() const;

  BusLog& log_;
  const BusFaults& faults_;
  std::vector<I2cDevice*> devices_;
};

}  // namespace torvix
