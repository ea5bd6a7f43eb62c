// SPDX-License-Identifier: MIT
// adapter-emulator: a USB-to-I2C adapter with the virtual camera behind it, for the kernel
// rig's virtual machine only: an i2c-tiny-usb on gadgetfs, or an MCP2221 or a CP2112 on a
// FunctionFS function of a configfs gadget.
//
//   adapter-emulator [--chip tiny-usb] --endpoint0 /dev/gadget/dummy_udc [--unplug SOFT_CONNECT]
//   adapter-emulator --chip mcp2221|cp2112 --functionfs DIR --gadget CONFIGFS_DIR --udc UDC
//       ... [--ready FILE] [--count FILE] [--address 0xNN] [--device 0xNN]... [--log FILE]
//
// The bus is zembrel-sim's: the camera at --address, more acknowledging devices, and the same
// bus log lines in --log; --count keeps the number of USB transfers served. Once plugged in it runs
// until the machine powers off (see gadgetfs_device.h); SIGUSR2 makes it unplug itself at the next
// transfer (through the UDC's SOFT_CONNECT file, or by unbinding the gadget); SIGUSR1 makes an
// i2c-tiny-usb report SMBus calls only, from the next plug-in on.
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sim/bus_log_file.h"
#include "sim/daemon_options.h"
#include "sim/sim_rig.h"
#include "tests/kernel/cp2112_chip.h"
#include "tests/kernel/functionfs_device.h"
#include "tests/kernel/gadget_endpoint0.h"
#include "tests/kernel/gadgetfs_device.h"
#include "tests/kernel/mcp2221_chip.h"

namespace {

using torvix::testing::Say;

constexpr int kExitUsage = 2;

torvix::testing::TinyUsbAdapter* adapterForSignal = nullptr;
torvix::testing::GadgetfsDevice* gadgetForSignal = nullptr;
torvix::testing::FunctionfsDevice* functionForSignal = nullptr;

extern "C" void OnSmbusOnly(int) {
  if (adapterForSignal != nullptr) {
    adapterForSignal->SetFunctions(torvix::testing::kTinyUsbSmbusOnly);
  }
}

extern "C" void OnUnplug(int) {
  if (gadgetForSignal != nullptr) gadgetForSignal->UnplugAtNextMessage();
  if (functionForSignal != nullptr) functionForSignal->UnplugAtNextTransfer();
}

void OnSignal(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

int Fail(const std::string& message) {
  Say(message);
  return kExitUsage;
}

// Ahead of every client on the one CPU: it reads each OUT data stage before the client's
// next request can reach gadgetfs. Locked in memory, so no page fault delays it.
void RunAheadOfClients() {
  sched_param priority{};
  priority.sched_priority = 50;
  if (::sched_setscheduler(0, SCHED_FIFO, &priority) != 0) {
    Say(std::string("cannot run SCHED_FIFO: ") + std::strerror(errno));
  }
  if (::mlockall(MCL_CURRENT | MCL_FUTURE) != 0) {
    Say(std::string("cannot lock memory: ") + std::strerror(errno));
  }
}

// Where each kind of device plugs in: gadgetfs's endpoint 0 and the UDC's soft_connect; or
// the FunctionFS mount, the gadget's configfs folder and the UDC.
struct Plumbing {
  std::string chip = "tiny-usb";
  std::string endpoint0;
  std::string softConnect;
  std::string functionfs;
  std::string gadget;
  std::string udc;
  std::string ready;
  std::string count;
};

int ServeTinyUsb(torvix::SimRig& rig, const Plumbing& plumbing) {
  torvix::testing::TinyUsbAdapter adapter(rig.Bus(), torvix::testing::kTinyUsbPlainI2c);
  torvix::testing::TransferCounter counter(plumbing.count);
  torvix::testing::GadgetfsDevice device(plumbing.softConnect, counter);
  adapterForSignal = &adapter;
  gadgetForSignal = &device;
  OnSignal(SIGUSR1, OnSmbusOnly);
  if (!plumbing.softConnect.empty()) OnSignal(SIGUSR2, OnUnplug);
  RunAheadOfClients();
  std::string error;
  if (!device.Plug(plumbing.endpoint0, error)) return Fail(error);
  Say("plugged in at " + plumbing.endpoint0);
  if (!plumbing.ready.empty()) std::ofstream(plumbing.ready) << "plugged in\n";
  device.Serve(adapter);
}

int ServeHidChip(torvix::testing::HidChip& chip, const Plumbing& plumbing) {
  if (plumbing.functionfs.empty() || plumbing.gadget.empty() || plumbing.udc.empty()) {
    return Fail("--chip " + plumbing.chip + " needs --functionfs, --gadget and --udc");
  }
  torvix::testing::TransferCounter counter(plumbing.count);
  torvix::testing::FunctionfsDevice device(chip, plumbing.functionfs, plumbing.gadget, plumbing.udc,
                                           counter);
  functionForSignal = &device;
  OnSignal(SIGUSR2, OnUnplug);
  // Its answers have a deadline: hid-cp2112 waits 50 ms for each.
  RunAheadOfClients();
  std::string error;
  if (!device.Plug(error)) return Fail(error);
  Say("plugged in at " + plumbing.udc);
  if (!plumbing.ready.empty()) std::ofstream(plumbing.ready) << "plugged in\n";
  device.Serve();
}

}  // namespace

int main(int argc, char** argv) {
  Plumbing plumbing;
  const std::pair<const char*, std::string*> named[] = {
      {"--chip", &plumbing.chip},          {"--endpoint0", &plumbing.endpoint0},
      {"--unplug", &plumbing.softConnect}, {"--functionfs", &plumbing.functionfs},
      {"--gadget", &plumbing.gadget},      {"--udc", &plumbing.udc},
      {"--ready", &plumbing.ready},        {"--count", &plumbing.count}};
  std::vector<std::string> simOptions;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string* value = nullptr;
    for (const auto& [name, field] : named) value = arg == name ? field : value;
    if (value != nullptr && i + 1 < argc) {
      *value = argv[++i];
    } else {
      simOptions.push_back(arg);
    }
  }
  torvix::DaemonOptions options;
  std::string error;
  if (!torvix::ParseDaemonOptions(simOptions, options, error)) return Fail(error);

  torvix::SimRig rig(options.cameraAddress8);
  for (const uint8_t device : options.extraDevices8) rig.AddDevice(device);
  if (!options.logFile.empty()) {
    auto log = std::make_unique<torvix::BusLogFile>(options.logFile);
    if (!log->IsOpen()) return Fail("cannot open " + options.logFile + ": " + log->Problem());
    rig.Log().SetFile(std::move(log));
  }
  if (plumbing.chip == "tiny-usb") {
    if (plumbing.endpoint0.empty()) return Fail("--endpoint0 names gadgetfs's file of the UDC");
    return ServeTinyUsb(rig, plumbing);
  }
  if (plumbing.chip == "mcp2221") {
    torvix::testing::Mcp2221Chip chip(rig.Bus());
    return ServeHidChip(chip, plumbing);
  }
  if (plumbing.chip == "cp2112") {
    torvix::testing::Cp2112Chip chip(rig.Bus());
    return ServeHidChip(chip, plumbing);
  }
  return Fail("--chip is tiny-usb, mcp2221 or cp2112, not " + plumbing.chip);
}
