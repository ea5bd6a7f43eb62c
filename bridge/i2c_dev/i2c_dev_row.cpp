// SPDX-License-Identifier: MIT
#include "bridge/i2c_dev/i2c_dev_row.h"

#include <cerrno>
#include <cstring>

#include "board/adapter_protocol.h"
#include "board/i2c_adapter_driver.h"
#include "board/i2c_dev_buses.h"
#include "board/i2c_kernel.h"
#include "bridge/devices/adapter_gone.h"
#include "bridge/devices/device_setting.h"
#include "clock/lock_wait.h"
#include "messages/printable_text.h"

namespace torvix {

namespace {

// Opening a bus sends nothing on it, so asking is harmless.
std::string Access(I2cKernel& kernel, const std::string& path) {
  int fd = -1;
  const int error = kernel.Open(path, fd);
  if (error == 0) {
    kernel.Close(fd);
    const bool starting = FindI2cAdapterDriver(kernel.SysRoot(), path).starting;
    return starting ? "still starting (try again in a few seconds)" : "may open";
  }
  if (error == EACCES || error == EPERM) return "no permission (join the i2c group)";
  if (error == ENOENT) return "no device node";
  return std::strerror(error);
}

}  // namespace

std::string I2cDevSettingProblem(std::string_view argument) {
  if (!argument.empty()) return {};
  const std::string prefix(I2cDevTransport::kFacts.setting);
  return prefix + " needs a bus: " + prefix + "/dev/i2c-N, " + prefix + "N or " + prefix + "NAME";
}

CameraIdentity I2cDevTransport::Identity(const DeviceSetting& setting) {
  if (setting.argument.empty()) return {};
  return {FindI2cBus(setting.argument, CurrentI2cKernel()).path, {}};
}

std::string I2cDevTransport::ProblemBeforeUse(const DeviceSetting& setting) {
  std::string problem = I2cDevSettingProblem(setting.argument);
  if (!problem.empty()) return problem;
  I2cKernel& kernel = CurrentI2cKernel();
  const I2cDeviceOpening opening = OpenNamedI2cDevice(setting.argument, kernel);
  if (opening.problem.empty()) kernel.Close(opening.fd);
  return opening.problem;
}

std::string I2cDevTransport::FailureProblem(const DeviceSetting& setting, bool openFailed,
                                            int16_t lastFailure) {
  if (!openFailed && lastFailure == 0) return {};
  const I2cBusLook look = LookAtI2cBus(setting.argument, CurrentI2cKernel());
  if (AdapterFailedTheRun(lastFailure) || look.state == I2cBusState::kGone) {
    return AdapterGoneWords(setting);
  }
  if (lastFailure == kStatusBusBusy && look.state == I2cBusState::kLockHeld) {
    return "the i2c bus " + look.path + " is busy: another program has held it for more than " +
           std::to_string(kLockWaitLimit.count() / 1000) + " s";
  }
  return {};
}

std::vector<std::string> I2cDevTransport::List() {
  I2cKernel& kernel = CurrentI2cKernel();
  std::vector<std::string> lines;
  for (const I2cDevBus& bus : ListI2cDevBuses(kernel.SysRoot())) {
    lines.push_back("i2c-" + std::to_string(bus.number) + '\t' + Printable(bus.name) + '\t' +
                    Access(kernel, bus.path));
  }
  return lines;
}

}  // namespace torvix
