// SPDX-License-Identifier: MIT
// The I2C bus of a Linux i2c-dev device (/dev/i2c-N): the kernel's own adapter drivers carry
// the board's commands to a real camera.
//
// Each transfer is one I2C_RDWR ioctl, so a write-then-read keeps its repeated START. An
// adapter without plain I2C gets the SMBus calls that carry the same bytes; a transfer with no
// such call answers kStatusUnknownCommand. Every transfer holds an advisory lock (flock) on the
// device, so programs sharing the bus never have their transfers cut into each other; a lock
// that another program keeps for kLockWaitLimit makes the transfer answer kStatusBusBusy.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "board/i2c_bus.h"
#include "board/i2c_kernel.h"

struct i2c_msg;
union i2c_smbus_data;

namespace torvix {

class LinuxI2cBus final : public I2cBus {
 public:
  // fd is open on the device at path, which answered functions to I2C_FUNCS; the bus closes it.
  LinuxI2cBus(I2cKernel& kernel, std::string path, int fd, unsigned long functions)
      : kernel_(kernel), path_(std::move(path)), fd_(fd), functions_(functions) {}
  ~LinuxI2cBus() override;
  LinuxI2cBus(const LinuxI2cBus&) = delete;
  LinuxI2cBus& operator=(const LinuxI2cBus&) = delete;

  uint8_t Write(uint8_t address7, std::span<const uint8_t> data) override;
  uint8_t Read(uint8_t address7, std::span<uint8_t> data) override;
  uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                    std::span<uint8_t> read) override;
  // i2c-dev does not show the lines: the bus always reads idle.
  uint8_t BusState() override {
    adapterFailed_ = false;
    return kBusIdle;
  }
  bool AdapterFailed() const override { return adapterFailed_; }

 private:
  bool PlainI2c() const;
  uint8_t Messages(std::span<i2c_msg> messages);
  uint8_t Smbus(uint8_t address7, uint8_t readWrite, uint8_t command, uint32_t size,
                i2c_smbus_data* data, unsigned long needed);
  // Runs one kernel call under the bus lock; the status byte for its errno.
  template <typename Call>
  uint8_t Locked(Call call);
  uint8_t Outcome(int error);
  bool AdapterGone();

  I2cKernel& kernel_;
  std::string path_;
  int fd_;
  unsigned long functions_;
  bool adapterFailed_ = false;
};

// Opening a bus: the bus, or the errno of OpenI2cDevice (i2c_dev_buses.h).
struct LinuxI2cBusOpening {
  std::unique_ptr<LinuxI2cBus> bus;
  int error = 0;
};
LinuxI2cBusOpening OpenLinuxI2cBus(const std::string& path, I2cKernel& kernel);

// Chooses and opens the bus a device setting's spec names (i2c_dev_buses.h): the bus, or the
// problem in words.
struct I2cDevOpening {
  std::unique_ptr<LinuxI2cBus> bus;
  std::string problem;
};
I2cDevOpening OpenI2cDevBus(std::string_view spec, I2cKernel& kernel);

}  // namespace torvix
