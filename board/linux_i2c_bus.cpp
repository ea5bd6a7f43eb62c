// SPDX-License-Identifier: MIT
#include "board/linux_i2c_bus.h"

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "board/adapter_protocol.h"
#include "board/i2c_adapter_driver.h"
#include "board/i2c_dev_buses.h"
#include "board/i2c_errno_status.h"
#include "clock/lock_wait.h"

namespace torvix {

namespace {

i2c_msg Message(uint8_t address7, uint16_t flags, std::span<uint8_t> bytes) {
  return i2c_msg{address7, flags, static_cast<uint16_t>(bytes.size()), bytes.data()};
}

// The longest write a board command makes: 64 data bytes behind a 2-byte sub-address, or an
// interleaved payload of 192 bytes.
constexpr std::size_t kMaxWrite = std::size_t{3} * 64;

}  // namespace

LinuxI2cBus::~LinuxI2cBus() { kernel_.Close(fd_); }

bool LinuxI2cBus::PlainI2c() const { return (functions_ & I2C_FUNC_I2C) != 0; }

// i2c-tiny-usb gives EIO for every request to the adapter that fails, so for an unplugged
// adapter too, and hid-mcp2221 lets the transfer in hand time out (ETIMEDOUT after 4 s).
// Either driver removes the bus's node as it lets go, but the transfer may fail before that;
// i2c-tiny-usb's adapter asked for its functions then reports none (a USB request of its own),
// while one whose device did not answer still reports them.
bool LinuxI2cBus::AdapterGone() {
  if (!kernel_.Exists(path_)) return true;
  unsigned long functions = 0;
  return kernel_.Ioctl(fd_, I2C_FUNCS, &functions) != 0 || functions == 0;
}

uint8_t LinuxI2cBus::Outcome(int error) {
  if ((error == EIO || error == ETIMEDOUT) && AdapterGone()) error = ENODEV;
  const TransferOutcome outcome =
      OutcomeForErrno(error, error == ETIMEDOUT
                                 ? FindI2cAdapterDriver(kernel_.SysRoot(), path_).name
                                 : "");
  adapterFailed_ = outcome.adapterFailed;
  return outcome.status;
}

// The lock is asked for without blocking, again and again up to the limit: a program that
// stopped while it held the bus would otherwise hang every other one for ever.
template <typename Call>
uint8_t LinuxI2cBus::Locked(Call call) {
  int error = 0;
  const bool answered = WaitForLock([&] {
    error = kernel_.Lock(fd_, true);
    return error != EWOULDBLOCK;
  });
  if (!answered) return kStatusBusBusy;
  if (error != 0) return Outcome(error);
  error = call();
  kernel_.Lock(fd_, false);
  return Outcome(error);
}

uint8_t LinuxI2cBus::Messages(std::span<i2c_msg> messages) {
  i2c_rdwr_ioctl_data transfer{messages.data(), static_cast<uint32_t>(messages.size())};
  return Locked([&] {
    int done = 0;
    const int error = kernel_.Ioctl(fd_, I2C_RDWR, &transfer, done);
    // An adapter that stops early (most often at an address it was not acknowledged) may say
    // so only by the count: what a read message holds then never came from the bus.
    return error == 0 && done != static_cast<int>(messages.size()) ? EIO : error;
  });
}

uint8_t LinuxI2cBus::Smbus(uint8_t address7, uint8_t readWrite, uint8_t command, uint32_t size,
                           i2c_smbus_data* data, unsigned long needed) {
  if ((functions_ & needed) != needed) return kStatusUnknownCommand;
  i2c_smbus_ioctl_data call{readWrite, command, size, data};
  return Locked([&] {
    // I2C_SLAVE takes the address itself as its argument, not a pointer to it.
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the ioctl's argument is that integer.
    auto* const address = reinterpret_cast<void*>(static_cast<uintptr_t>(address7));
    if (const int error = kernel_.Ioctl(fd_, I2C_SLAVE, address)) return error;
    return kernel_.Ioctl(fd_, I2C_SMBUS, &call);
  });
}

uint8_t LinuxI2cBus::Write(uint8_t address7, std::span<const uint8_t> data) {
  adapterFailed_ = false;
  if (data.size() > kMaxWrite) return kStatusUnknownCommand;
  // The kernel only reads a write message, but its buffer is not const.
  std::array<uint8_t, kMaxWrite> bytes{};
  std::copy(data.begin(), data.end(), bytes.begin());
  if (PlainI2c()) {
    std::array<i2c_msg, 1> messages{Message(address7, 0, std::span(bytes).first(data.size()))};
    return Messages(messages);
  }
  i2c_smbus_data value{};
  switch (data.size()) {
    case 0:
      return Smbus(address7, I2C_SMBUS_WRITE, 0, I2C_SMBUS_QUICK, nullptr, I2C_FUNC_SMBUS_QUICK);
    case 1:
      return Smbus(address7, I2C_SMBUS_WRITE, bytes[0], I2C_SMBUS_BYTE, nullptr,
                   I2C_FUNC_SMBUS_WRITE_BYTE);
    case 2:
      value.byte = bytes[1];
      return Smbus(address7, I2C_SMBUS_WRITE, bytes[0], I2C_SMBUS_BYTE_DATA, &value,
                   I2C_FUNC_SMBUS_WRITE_BYTE_DATA);
    case 3:
      // An SMBus word goes low byte first, so the bytes keep their order on the bus.
      value.word = static_cast<uint16_t>(bytes[1] | (bytes[2] << 8));
      return Smbus(address7, I2C_SMBUS_WRITE, bytes[0], I2C_SMBUS_WORD_DATA, &value,
                   I2C_FUNC_SMBUS_WRITE_WORD_DATA);
    default: return kStatusUnknownCommand;
  }
}

uint8_t LinuxI2cBus::Read(uint8_t address7, std::span<uint8_t> data) {
  adapterFailed_ = false;
  if (PlainI2c()) {
    std::array<i2c_msg, 1> messages{Message(address7, I2C_M_RD, data)};
    return Messages(messages);
  }
  i2c_smbus_data value{};
  switch (data.size()) {
    case 0:
      return Smbus(address7, I2C_SMBUS_READ, 0, I2C_SMBUS_QUICK, nullptr, I2C_FUNC_SMBUS_QUICK);
    case 1: {
      const uint8_t status =
          Smbus(address7, I2C_SMBUS_READ, 0, I2C_SMBUS_BYTE, &value, I2C_FUNC_SMBUS_READ_BYTE);
      if (status == kStatusDone) data[0] = value.byte;
      return status;
    }
    default: return kStatusUnknownCommand;
  }
}

uint8_t LinuxI2cBus::WriteRead(uint8_t address7, std::span<const uint8_t> write,
                               std::span<uint8_t> read) {
  adapterFailed_ = false;
  if (write.size() > kMaxWrite) return kStatusUnknownCommand;
  std::array<uint8_t, kMaxWrite> bytes{};
  std::copy(write.begin(), write.end(), bytes.begin());
  if (PlainI2c()) {
    // One ioctl with both messages: the adapter puts a repeated START between them.
    std::array<i2c_msg, 2> messages{Message(address7, 0, std::span(bytes).first(write.size())),
                                    Message(address7, I2C_M_RD, read)};
    return Messages(messages);
  }
  if (write.size() != 1 || read.empty() || read.size() > 2) return kStatusUnknownCommand;
  i2c_smbus_data value{};
  if (read.size() == 1) {
    const uint8_t status = Smbus(address7, I2C_SMBUS_READ, bytes[0], I2C_SMBUS_BYTE_DATA, &value,
                                 I2C_FUNC_SMBUS_READ_BYTE_DATA);
    if (status == kStatusDone) read[0] = value.byte;
    return status;
  }
  const uint8_t status = Smbus(address7, I2C_SMBUS_READ, bytes[0], I2C_SMBUS_WORD_DATA, &value,
                               I2C_FUNC_SMBUS_READ_WORD_DATA);
  if (status == kStatusDone) {
    read[0] = static_cast<uint8_t>(value.word & 0xFF);
    read[1] = static_cast<uint8_t>(value.word >> 8);
  }
  return status;
}

LinuxI2cBusOpening OpenLinuxI2cBus(const std::string& path, I2cKernel& kernel) {
  LinuxI2cBusOpening opening;
  int fd = -1;
  unsigned long functions = 0;
  opening.error = OpenI2cDevice(path, kernel, fd, functions);
  if (opening.error == 0) opening.bus = std::make_unique<LinuxI2cBus>(kernel, path, fd, functions);
  return opening;
}

I2cDevOpening OpenI2cDevBus(std::string_view spec, I2cKernel& kernel) {
  I2cDevOpening opening;
  const I2cDeviceOpening device = OpenNamedI2cDevice(spec, kernel);
  opening.problem = device.problem;
  if (device.problem.empty()) {
    opening.bus = std::make_unique<LinuxI2cBus>(kernel, device.path, device.fd, device.functions);
  }
  return opening;
}

}  // namespace torvix
