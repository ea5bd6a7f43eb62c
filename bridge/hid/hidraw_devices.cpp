// SPDX-License-Identifier: MIT
// The HID devices of Linux, read from sysfs: each under /sys/bus/hid/devices, with its ids and
// serial number in its uevent, its hidraw node when the driver that has it made one, and the
// i2c bus a bridge chip's own kernel driver made of it.
#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "board/i2c_kernel.h"
#include "bridge/hid/hid_devices.h"

namespace torvix {

namespace {

namespace fs = std::filesystem;

// The driver that binds any HID device no other driver wants: it leaves the device to hidraw.
constexpr std::string_view kGenericDriver = "hid-generic";

std::string Field(const fs::path& uevent, std::string_view key) {
  std::ifstream in(uevent);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == '=') {
      return line.substr(key.size() + 1);
    }
  }
  return {};
}

// HID_ID=BUS:VENDOR:PRODUCT, each in hexadecimal of eight digits.
bool ParseIds(const std::string& id, HidDevice& device) {
  const std::size_t first = id.find(':');
  const std::size_t second = id.find(':', first + 1);
  if (first == std::string::npos || second == std::string::npos) return false;
  try {
    device.vendor =
        static_cast<uint16_t>(std::stoul(id.substr(first + 1, second - first - 1), nullptr, 16));
    device.product = static_cast<uint16_t>(std::stoul(id.substr(second + 1), nullptr, 16));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

// The first entry of folder whose name starts with prefix.
std::string FirstNamed(const fs::path& folder, std::string_view prefix) {
  std::error_code failure;
  std::string first;
  for (const auto& entry : fs::directory_iterator(folder, failure)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix) && (first.empty() || name < first)) first = name;
  }
  return first;
}

}  // namespace

std::vector<HidDevice> ListHidDevices() {
  const fs::path root = CurrentI2cKernel().SysRoot() / "bus/hid/devices";
  std::vector<HidDevice> devices;
  std::error_code failure;
  for (const auto& entry : fs::directory_iterator(root, failure)) {
    const fs::path& folder = entry.path();
    HidDevice device;
    if (!ParseIds(Field(folder / "uevent", "HID_ID"), device)) continue;
    device.serial = Field(folder / "uevent", "HID_UNIQ");
    const std::string driver = fs::read_symlink(folder / "driver", failure).filename().string();
    if (!failure && driver != kGenericDriver) device.driver = driver;
    const std::string hidraw = FirstNamed(folder / "hidraw", "hidraw");
    if (!hidraw.empty()) device.path = "/dev/" + hidraw;
    device.i2cBus = FirstNamed(folder, "i2c-");
    devices.push_back(device);
  }
  std::sort(devices.begin(), devices.end(), [](const HidDevice& a, const HidDevice& b) {
    return a.path.size() != b.path.size() ? a.path.size() < b.path.size() : a.path < b.path;
  });
  return devices;
}

}  // namespace torvix
