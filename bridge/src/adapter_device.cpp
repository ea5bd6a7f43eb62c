#include "bridge/src/adapter_device.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "bridge/src/transport_sim.h"
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
#if defined(_WIN32)
  if (setting == nullptr) return OpenWin32AdapterDevice(kWin32DeviceName);
  // Only names in the driver's namespace are handed to CreateFileA: anything else would open
  // whatever file happens to carry that name.
  return IsWin32DeviceName(setting) ? OpenWin32AdapterDevice(setting) : nullptr;
#else
  return OpenSocketAdapterDevice(setting != nullptr ? std::string(setting) : DefaultSocketPath());
#endif
}

}  // namespace

std::string DefaultSocketPath() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir != nullptr && runtimeDir[0] != '\0') return std::string(runtimeDir) + "/zembrel-0";
  return "/tmp/zembrel-0";
}

std::unique_ptr<AdapterDevice> OpenAdapterDevice() {
  if (TestingOpener()) return TestingOpener()();
  return OpenNamedDevice(std::getenv("QUORLINK_DEVICE"));
}

void SetAdapterDeviceOpenerForTesting(AdapterDeviceOpener opener) {
  TestingOpener() = std::move(opener);
}

}  // namespace torvix
