// SPDX-License-Identifier: MIT
#include "board/i2c_adapter_driver.h"

#include <string_view>
#include <system_error>

namespace torvix {

namespace {

// A driver that cannot carry a transfer until it has started, and the folder it adds to its
// device last.
struct SlowStarter {
  std::string_view driver;
  std::string_view lastAdded;
};
constexpr SlowStarter kSlowStarters[] = {{"mcp2221", "gpiochip"}};

bool HasEntryStartingWith(const std::filesystem::path& folder, std::string_view prefix) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().filename().string().starts_with(prefix)) return true;
  }
  return false;
}

}  // namespace

I2cAdapterDriver FindI2cAdapterDriver(const std::filesystem::path& sysRoot,
                                      const std::string& devicePath) {
  I2cAdapterDriver driver;
  // The adapter's folder is a link's target; the folder above it is its device's, which has
  // the link to its driver from the moment the driver starts on it.
  const std::filesystem::path device = sysRoot / "class" / "i2c-dev" /
                                       std::filesystem::path(devicePath).filename() / "device" /
                                       "..";
  std::error_code error;
  driver.name = std::filesystem::read_symlink(device / "driver", error).filename().string();
  if (error) return {};
  for (const SlowStarter& slow : kSlowStarters) {
    // Without GPIO support it adds no GPIO chip, and nothing tells when it has started.
    if (driver.name == slow.driver && std::filesystem::is_directory(sysRoot / "bus" / "gpio")) {
      driver.starting = !HasEntryStartingWith(device, slow.lastAdded);
    }
  }
  return driver;
}

}  // namespace torvix
