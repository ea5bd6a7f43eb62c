// SPDX-License-Identifier: MIT
// Finding the Linux i2c-dev bus a device setting's bus names (the library's i2c-dev transport
// reads the setting), opening its device, and saying in words why one would not open.
//
// Bus numbers change between boots and with the order adapters are plugged in; the adapter's
// name (/sys/class/i2c-dev/i2c-N/name) does not, so a setting may name the adapter instead.
// This lookup and the kernel seam are a library of their own (torvix_i2c_dev), which the board
// builds its bus on and which the command line and the camera lock use without the board.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "board/i2c_kernel.h"

namespace torvix {

struct I2cDevBus {
  int number = 0;
  std::string name;  // the adapter's name, as its driver gives it
  std::string path;  // /dev/i2c-N
};

// The buses under sysRoot/class/i2c-dev, by number; none when the i2c-dev module is not loaded.
std::vector<I2cDevBus> ListI2cDevBuses(const std::filesystem::path& sysRoot);

// Whether the i2c-dev module is loaded: its class folder is there, with buses or without.
bool I2cDevLoaded(const std::filesystem::path& sysRoot);

// What spec (the device setting's bus) names: a device path (starting with /), a bus number, or
// the one bus whose adapter name is it or else contains it, ignoring case. The path, or the
// problem in words, which ask whether the module is loaded only when there are no buses and it
// may not be.
struct I2cBusChoice {
  std::string path;
  std::string problem;
  bool missing = false;  // no adapter is named like it
};
I2cBusChoice ChooseI2cBus(std::string_view spec, const std::vector<I2cDevBus>& buses,
                          bool i2cDevLoaded = false);

// ChooseI2cBus on the buses the kernel has, whose names are read only when spec names one.
I2cBusChoice FindI2cBus(std::string_view spec, const I2cKernel& kernel);

// Whether an errno of opening a bus (OpenI2cDevice) says its adapter is not there.
bool I2cAdapterMissing(int openError);

// Why path would not open, in words a user can act on: an adapter that is not there is told
// as one gone or not plugged in, unless the i2c-dev module is not even loaded; one whose driver
// is still starting (EAGAIN) as such.
std::string DescribeI2cOpenError(const std::string& path, int error, bool i2cDevLoaded);

// Opens the device at path and asks it for its functions (I2C_FUNCS): 0, with fd (the caller's
// to close) and functions; or the errno of the open or of I2C_FUNCS (ENOTTY: not an i2c-dev
// device; ENODEV: the adapter reports no function at all, as an unplugged one does), or EAGAIN
// for an adapter whose driver has not finished starting (i2c_adapter_driver.h), with nothing
// left open.
int OpenI2cDevice(const std::string& path, I2cKernel& kernel, int& fd, unsigned long& functions);

// Chooses and opens the device of the bus spec names: its path, descriptor (the caller's to
// close) and functions, or the problem in words with nothing left open.
struct I2cDeviceOpening {
  std::string path;
  int fd = -1;
  unsigned long functions = 0;
  std::string problem;
};
I2cDeviceOpening OpenNamedI2cDevice(std::string_view spec, I2cKernel& kernel);

// What a bus that opened before shows after a transfer on it failed: that it no longer opens
// for want of the device or its adapter reports no function (the adapter is gone), that
// another program holds its lock, or neither. Opening a bus sends nothing on the bus.
enum class I2cBusState { kPresent, kGone, kLockHeld };
struct I2cBusLook {
  I2cBusState state = I2cBusState::kPresent;
  std::string path;  // the bus spec names now; empty when none
};
I2cBusLook LookAtI2cBus(std::string_view spec, I2cKernel& kernel);

}  // namespace torvix
