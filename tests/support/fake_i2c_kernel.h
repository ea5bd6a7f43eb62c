// SPDX-License-Identifier: MIT
// A fake Linux kernel for the i2c-dev bus: it records each transfer as a line ("rdwr W38:00 30
// R38:1", "smbus 38 W byte-data 41 42") and answers with data and an errno, or with what the
// bus behind it (the virtual camera's) answers, or as an adapter that misbehaves in the ways below.
#pragma once

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "board/adapter_protocol.h"
#include "board/i2c_bus.h"
#include "board/i2c_kernel.h"

namespace torvix::testing {

class FakeI2cKernel final : public I2cKernel {
 public:
  std::map<std::string, int> openErrors;  // path -> errno; every other path opens
  unsigned long functions = I2C_FUNC_I2C;
  std::filesystem::path sysRoot = "/nonexistent-sys";
  I2cBus* bus = nullptr;  // answers the transfers when set
  int error = 0;          // else every transfer reads 0xC0, 0xC1 ... and fails with this errno
  int lockRefusals = 0;   // this many lock requests find the lock held elsewhere; -1: all
  int messagesDone = -1;  // when 0 or more, I2C_RDWR carries out only that many messages
  int opensLeft = -1;     // when it comes to 0, nothing opens and no node is left: adapter gone
  int nackErrno = ENXIO;  // what the bus behind answers for an address nobody acknowledged
  std::vector<std::string> transfers;
  int unlockedTransfers = 0;
  int openFds = 0;

  void AddBus(int number, const std::string& name) {
    const auto folder = sysRoot / "class/i2c-dev" / ("i2c-" + std::to_string(number));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "name") << name << '\n';
  }
  // The device the adapter of bus `number` belongs to, driven by `driver`, laid out as sysfs
  // lays it out: the bus's link to its adapter, whose folder is under the device's, and the
  // device's link to its driver; the kernel has GPIO support, and the device a GPIO chip when
  // gpioChip says so.
  void AddDriver(int number, const std::string& driver, bool gpioChip = false) {
    const std::string adapter = "i2c-" + std::to_string(number);
    const auto device = sysRoot / "devices" / (driver + "." + std::to_string(number));
    std::filesystem::create_directories(device / adapter);
    std::filesystem::create_directories(sysRoot / "bus/drivers" / driver);
    std::filesystem::create_directories(sysRoot / "bus/gpio");
    std::filesystem::create_directory_symlink(device / adapter,
                                              sysRoot / "class/i2c-dev" / adapter / "device");
    std::filesystem::create_directory_symlink(sysRoot / "bus/drivers" / driver, device / "driver");
    if (gpioChip) std::filesystem::create_directories(device / "gpiochip3");
  }

  int Open(const std::string& path, int& fd) override {
    if (openErrors.contains(path)) return openErrors[path];
    if (opensLeft == 0) return ENOENT;
    opensLeft -= opensLeft > 0 ? 1 : 0;
    fd = 100 + openFds++;
    return 0;
  }
  void Close(int /*fd*/) override { --openFds; }
  bool Exists(const std::string& path) const override {
    return opensLeft != 0 && (!openErrors.contains(path) || openErrors.at(path) != ENOENT);
  }
  int Lock(int /*fd*/, bool held) override {
    if (held && lockRefusals != 0) {
      lockRefusals -= lockRefusals > 0 ? 1 : 0;
      return EWOULDBLOCK;
    }
    locked_ = held;
    return 0;
  }
  std::filesystem::path SysRoot() const override { return sysRoot; }

  using I2cKernel::Ioctl;
  int Ioctl(int /*fd*/, unsigned long request, void* arg, int& returned) override {
    returned = 0;
    if (request == I2C_FUNCS) *static_cast<unsigned long*>(arg) = functions;
    if (request == I2C_SLAVE) slave_ = static_cast<uint8_t>(reinterpret_cast<uintptr_t>(arg));
    if (request == I2C_FUNCS || request == I2C_SLAVE) return 0;
    unlockedTransfers += locked_ ? 0 : 1;
    if (request == I2C_RDWR) return Rdwr(*static_cast<i2c_rdwr_ioctl_data*>(arg), returned);
    return Smbus(*static_cast<i2c_smbus_ioctl_data*>(arg));
  }

 private:
  static std::string Hex(const uint8_t* bytes, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, i == 0 ? "%02x" : " %02x", bytes[i]);
      text += hex;
    }
    return text;
  }
  static void Fill(std::span<uint8_t> in) {
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(0xC0 + i);
  }
  int Answer(uint8_t status) const {
    if (bus == nullptr) return error;
    return status == kStatusDone ? 0 : status == kStatusAddressNack ? nackErrno : EIO;
  }

  int Rdwr(i2c_rdwr_ioctl_data& transfer, int& done) {
    std::string line = "rdwr";
    std::span<uint8_t> message[2];
    for (uint32_t i = 0; i < transfer.nmsgs; ++i) {
      const i2c_msg& m = transfer.msgs[i];
      const auto address = static_cast<uint8_t>(m.addr);
      const bool read = (m.flags & I2C_M_RD) != 0;
      message[i] = {m.buf, m.len};
      line += (read ? " R" : " W") + Hex(&address, 1) + ":" +
              (read ? std::to_string(m.len) : Hex(m.buf, m.len));
    }
    transfers.push_back(line);
    if (messagesDone >= 0 && messagesDone < static_cast<int>(transfer.nmsgs)) {
      done = messagesDone;
      return 0;
    }
    done = static_cast<int>(transfer.nmsgs);
    const auto a = static_cast<uint8_t>(transfer.msgs[0].addr);
    const bool reads = (transfer.msgs[transfer.nmsgs - 1].flags & I2C_M_RD) != 0;
    if (bus == nullptr && reads) Fill(message[transfer.nmsgs - 1]);
    if (bus == nullptr) return error;
    if (transfer.nmsgs == 2) return Answer(bus->WriteRead(a, message[0], message[1]));
    return Answer(reads ? bus->Read(a, message[0]) : bus->Write(a, message[0]));
  }

  // The sizes are 0 quick, 1 byte, 2 byte-data, 3 word-data: a write carries that many bytes,
  // a read the command byte for the last two; the word goes low byte first.
  int Smbus(i2c_smbus_ioctl_data& args) {
    static const char* const kSizes[] = {"quick", "byte", "byte-data", "word-data"};
    const bool read = args.read_write == I2C_SMBUS_READ;
    const std::size_t n = read ? (args.size >= I2C_SMBUS_BYTE_DATA ? 1 : 0) : args.size;
    const std::size_t length = !read || args.size == I2C_SMBUS_QUICK ? 0
                               : args.size == I2C_SMBUS_WORD_DATA    ? 2
                                                                     : 1;
    uint8_t bytes[3] = {args.command, 0, 0};
    if (!read && n > 1) bytes[1] = static_cast<uint8_t>(args.data->word & 0xFF);
    if (!read && n > 2) bytes[2] = static_cast<uint8_t>(args.data->word >> 8);
    transfers.push_back("smbus " + Hex(&slave_, 1) + (read ? " R " : " W ") + kSizes[args.size] +
                        " " + Hex(bytes, n));
    uint8_t in[2] = {};
    Fill(std::span(in, length));
    uint8_t status = kStatusDone;
    if (bus != nullptr && read) {
      status = n == 1 ? bus->WriteRead(slave_, std::span(bytes, 1), std::span(in, length))
                      : bus->Read(slave_, std::span(in, length));
    } else if (bus != nullptr) {
      status = bus->Write(slave_, std::span(bytes, n));
    }
    if (length > 0) args.data->word = static_cast<uint16_t>(in[0] | (in[1] << 8));
    return Answer(status);
  }

  bool locked_ = false;
  uint8_t slave_ = 0;
};

}  // namespace torvix::testing
