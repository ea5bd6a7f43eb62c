// SPDX-License-Identifier: MIT
#include "bridge/src/adapter_device.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "bridge/src/transport_sim.h"
#if defined(__linux__)
#include "board/i2c_dev_buses.h"
#include "bridge/src/transport_i2c_dev.h"
#endif
#if defined(_WIN32)
#include "bridge/src/transport_win32.h"
#else
#include "bridge/src/transport_socket.h"
#endif

namespace torvix {

AdapterDevice::~AdapterDevice() = default;

namespace {

AdapterDeviceOpener& TestingOpener() {
  static AdapterDeviceOpener opener;
  return opener;
}

std::unique_ptr<AdapterDevice> OpenNamedDevice(const char* setting) {
  // An empty setting is no setting: `QUORLINK_DEVICE= program` gets the default device.
  if (setting != nullptr && setting[0] == '\0') setting = nullptr;
  if (setting != nullptr && std::string(setting) == "sim") return OpenSimAdapterDevice();
#if defined(__linux__)
  if (setting != nullptr && std::string_view(setting).starts_with(kI2cDevicePrefix)) {
    return OpenI2cDevAdapterDevice(std::string_view(setting).substr(kI2cDevicePrefix.size()));
  }
#endif
#if defined(_WIN32)
  if (setting == nullptr) return OpenWin32AdapterDevice(kWin32DeviceName);
  // Only names in the driver's namespace are handed to CreateFileA: anything else would open
  // whatever file happens to carry that name.
  return IsWin32DeviceName(setting) ? OpenWin32AdapterDevice(setting) : nullptr;
#else
  return setting != nullptr ? OpenSocketAdapterDevice(setting)
                            : OpenDefaultSocketAdapterDevice(DefaultSocketPath());
#endif
}

}  // namespace

std::unique_ptr<AdapterDevice> OpenAdapterDevice() {
  if (TestingOpener()) return TestingOpener()();
  return OpenNamedDevice(std::getenv("QUORLINK_DEVICE"));
}

void SetAdapterDeviceOpenerForTesting(AdapterDeviceOpener opener) {
  TestingOpener() = std::move(opener);
}

}  // namespace torvix
