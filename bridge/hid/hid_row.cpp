// SPDX-License-Identifier: MIT
#include "bridge/hid/hid_row.h"

#include "bridge/devices/adapter_gone.h"
#include "bridge/devices/device_setting.h"
#include "bridge/hid/hid_bridge_chips.h"

namespace torvix {

CameraIdentity HidTransport::Identity(const DeviceSetting& setting) {
#if defined(_WIN32)
  // No other program of ours can lock what Windows hands out as a handle.
  static_cast<void>(setting);
  return {};
#else
  return {ChooseHidDevice(setting.argument, ListHidDevices()).device.path, {}};
#endif
}

std::string HidTransport::ProblemBeforeUse(const DeviceSetting& setting) {
  const HidChoice choice = ChooseUsableHidDevice(setting.argument, ListHidDevices());
  if (!choice.problem.empty()) return choice.problem;
  return OpenHidAccess(choice.device.path).problem;
}

std::string HidTransport::FailureProblem(const DeviceSetting& setting, bool openFailed,
                                         int16_t lastFailure) {
  // One that would not open and is no longer among the devices went between two runs.
  const bool gone =
      openFailed && !ChooseHidDevice(setting.argument, ListHidDevices()).problem.empty();
  if (!AdapterFailedTheRun(lastFailure) && !gone) return {};
  return AdapterGoneWords(setting);
}

std::vector<std::string> HidTransport::List() {
  std::vector<std::string> lines;
  for (const NamedHidDevice& named : NameHidBridges(ListHidDevices())) {
    std::string state = "may open";
    if (!named.device.driver.empty()) {
      state = KernelDriverProblem(named.device);
    } else if (const HidAccessOpening opening = OpenHidAccess(named.device.path); !opening.access) {
      state = opening.problem;
    }
    lines.push_back(named.setting + '\t' + state);
  }
  return lines;
}

}  // namespace torvix
