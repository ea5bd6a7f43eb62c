// Finding the Linux i2c-dev bus a device setting names, and saying in words why one would not
// open.
//
// Bus numbers change between boots and with the order adapters are plugged in; the adapter's
// name (/sys/class/i2c-dev/i2c-N/name) does not, so a setting may name the adapter instead.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/i2c_kernel.h"
#include "board/linux_i2c_bus.h"

namespace torvix {

// The device setting that selects the software board over a Linux i2c-dev bus.
inline constexpr std::string_view kI2cDevicePrefix = "i2c:";

struct I2cDevBus {
  int number = 0;
  std::string name;  // the adapter's name, as its driver gives it
  std::string path;  // /dev/i2c-N
};

// The buses under sysRoot/class/i2c-dev, by number; none when the i2c-dev module is not loaded.
std::vector<I2cDevBus> ListI2cDevBuses(const std::filesystem::path& sysRoot);

// What the part after "i2c:" names: a device path (starting with /), a bus number, or the one
// bus whose adapter name is it or else contains it, ignoring case. The path, or the problem in
// words.
struct I2cBusChoice {
  std::string path;
  std::string problem;
  bool missing = false;  // no adapter is named like it
};
I2cBusChoice ChooseI2cBus(std::string_view spec, const std::vector<I2cDevBus>& buses);

// ChooseI2cBus on the buses the kernel has, whose names are read only when spec names one.
I2cBusChoice FindI2cBus(std::string_view spec, const I2cKernel& kernel);

// Why path would not open, in words a user can act on.
std::string DescribeI2cOpenError(const std::string& path, int error);

// Chooses and opens the bus spec names: the bus, or the problem in words.
struct I2cDevOpening {
  std::unique_ptr<LinuxI2cBus> bus;
  std::string problem;
};
I2cDevOpening OpenI2cDevBus(std::string_view spec, I2cKernel& kernel);

// What a bus that opened before shows after a transfer on it failed: that it no longer opens
// for want of the device (its adapter is gone), that another program holds its lock, or
// neither. Opening a bus sends nothing on it.
enum class I2cBusState { kPresent, kGone, kLockHeld };
struct I2cBusLook {
  I2cBusState state = I2cBusState::kPresent;
  std::string path;  // the bus spec names now; empty when none
};
I2cBusLook LookAtI2cBus(std::string_view spec, I2cKernel& kernel);

}  // namespace torvix
