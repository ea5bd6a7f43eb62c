// SPDX-License-Identifier: MIT
#include "cli/bus_commands.h"

#include <cstdlib>
#include <ostream>
#include <string_view>

#include "cli/exit_codes.h"

#if defined(__linux__)
#include <cerrno>
#include <cstring>

#include "board/adapter_protocol.h"
#include "board/i2c_adapter_driver.h"
#include "board/i2c_dev_buses.h"
#include "board/i2c_kernel.h"
#include "bridge/include/quorlink.h"
#include "clock/lock_wait.h"
#include "messages/printable_text.h"
#endif

namespace torvix {

#if defined(__linux__)

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

int RunBuses(CliSession& session) {
  I2cKernel& kernel = CurrentI2cKernel();
  const std::vector<I2cDevBus> buses = ListI2cDevBuses(kernel.SysRoot());
  if (buses.empty()) {
    session.console.err << "No i2c buses (is the i2c-dev module loaded? sudo modprobe i2c-dev)\n";
    return kExitDone;
  }
  for (const I2cDevBus& bus : buses) {
    session.console.out << "i2c-" << bus.number << '\t' << Printable(bus.name) << '\t'
                        << Access(kernel, bus.path) << '\n';
  }
  return kExitDone;
}

bool CheckI2cDevice(std::ostream& err) {
  const char* setting = std::getenv("QUORLINK_DEVICE");
  if (setting == nullptr || !std::string_view(setting).starts_with(kI2cDevicePrefix)) return true;
  I2cKernel& kernel = CurrentI2cKernel();
  const I2cDeviceOpening opening =
      OpenNamedI2cDevice(std::string_view(setting).substr(kI2cDevicePrefix.size()), kernel);
  if (opening.problem.empty()) {
    kernel.Close(opening.fd);
    return true;
  }
  err << "Error: " << opening.problem << '\n';
  return false;
}

std::string I2cBusProblem(bool openFailed, int16_t lastFailure) {
  const char* setting = std::getenv("QUORLINK_DEVICE");
  if (setting == nullptr || !std::string_view(setting).starts_with(kI2cDevicePrefix)) return {};
  if (!openFailed && lastFailure == 0) return {};
  const std::string_view spec = std::string_view(setting).substr(kI2cDevicePrefix.size());
  const I2cBusLook look = LookAtI2cBus(spec, CurrentI2cKernel());
  // The board over i2c-dev fails a request only when the adapter itself failed.
  const bool boardFailed = lastFailure >= QL_USB_COMMAND_ERROR && lastFailure <= QL_USB_READ_ERROR;
  if (boardFailed || look.state == I2cBusState::kGone) {
    return "Error: the adapter is gone: unplugged? (" + std::string(setting) + ")";
  }
  if (lastFailure == kStatusBusBusy && look.state == I2cBusState::kLockHeld) {
    return "Error: the i2c bus " + look.path +
           " is busy: another program has held it for more than " +
           std::to_string(kLockWaitLimit.count() / 1000) + " s";
  }
  return {};
}

#else

int RunBuses(CliSession& session) {
  session.console.err << "Error: i2c-dev buses exist on Linux only\n";
  return kExitFailed;
}

bool CheckI2cDevice(std::ostream& /*err*/) { return true; }

std::string I2cBusProblem(bool /*openFailed*/, int16_t /*lastFailure*/) { return {}; }

#endif

}  // namespace torvix
