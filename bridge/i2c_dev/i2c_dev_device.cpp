// SPDX-License-Identifier: MIT
#include "bridge/i2c_dev/i2c_dev_device.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "board/linux_i2c_bus.h"
#include "bridge/devices/device_setting.h"
#include "bridge/src/board_on_bus.h"

namespace torvix {

namespace {

std::atomic<bool>& Reported() {
  static std::atomic<bool> reported{false};
  return reported;
}

// A program that retries (the window's Connect, a script) would print it at every try.
void ReportOnce(const std::string& problem) {
  if (!Reported().exchange(true)) std::fprintf(stderr, "Quorlink: %s\n", problem.c_str());
}

}  // namespace

std::unique_ptr<AdapterDevice> OpenI2cDevAdapterDevice(std::string_view spec) {
  const std::string unusable = I2cDevSettingProblem(spec);
  if (!unusable.empty()) {
    ReportOnce(unusable);
    return nullptr;
  }
  I2cDevOpening opening = OpenI2cDevBus(spec, CurrentI2cKernel());
  if (opening.bus)
    return std::make_unique<BoardOnBus<std::unique_ptr<LinuxI2cBus>>>(std::move(opening.bus));
  ReportOnce(opening.problem);
  return nullptr;
}

void ResetI2cDevReportForTesting() { Reported() = false; }

std::unique_ptr<AdapterDevice> I2cDevTransport::Open(const DeviceSetting& setting) {
  return OpenI2cDevAdapterDevice(setting.argument);
}

}  // namespace torvix
