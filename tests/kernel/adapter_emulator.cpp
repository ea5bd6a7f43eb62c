// SPDX-License-Identifier: MIT
// adapter-emulator: an i2c-tiny-usb USB-to-I2C adapter with the virtual camera behind it, for
// the kernel rig's virtual machine only.
//
//   adapter-emulator --endpoint0 /dev/gadget/dummy_udc [--ready FILE] [--unplug SOFT_CONNECT]
//                    [--address 0xNN] [--device 0xNN]... [--log FILE]
//
// The bus is zembrel-sim's: the camera at --address, more acknowledging devices, and the same
// bus log lines in --log. Once plugged in it runs until the machine powers off (see
// gadgetfs_device.h); SIGUSR1 makes it report SMBus calls only, from the next plug-in on;
// SIGUSR2 makes it unplug itself through the UDC's SOFT_CONNECT file at the next message.
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
#include "tests/kernel/gadgetfs_device.h"

namespace {

using torvix::testing::Say;

constexpr int kExitUsage = 2;

torvix::testing::TinyUsbAdapter* adapterForSignal = nullptr;
torvix::testing::GadgetfsDevice* deviceForSignal = nullptr;

extern "C" void OnSmbusOnly(int) {
  adapterForSignal->SetFunctions(torvix::testing::kTinyUsbSmbusOnly);
}

extern "C" void OnUnplug(int) { deviceForSignal->UnplugAtNextMessage(); }

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

}  // namespace

int main(int argc, char** argv) {
  std::string endpoint0;
  std::string ready;
  std::string softConnect;
  std::vector<std::string> simOptions;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--endpoint0" || arg == "--ready" || arg == "--unplug") && i + 1 < argc) {
      (arg == "--endpoint0" ? endpoint0 : arg == "--ready" ? ready : softConnect) = argv[++i];
    } else {
      simOptions.push_back(arg);
    }
  }
  torvix::DaemonOptions options;
  std::string error;
  if (!torvix::ParseDaemonOptions(simOptions, options, error)) return Fail(error);
  if (endpoint0.empty()) return Fail("--endpoint0 names gadgetfs's file of the UDC");

  torvix::SimRig rig(options.cameraAddress8);
  for (const uint8_t device : options.extraDevices8) rig.AddDevice(device);
  if (!options.logFile.empty()) {
    auto log = std::make_unique<torvix::BusLogFile>(options.logFile);
    if (!log->IsOpen()) return Fail("cannot open " + options.logFile + ": " + log->Problem());
    rig.Log().SetFile(std::move(log));
  }

  torvix::testing::TinyUsbAdapter adapter(rig.Bus(), torvix::testing::kTinyUsbPlainI2c);
  torvix::testing::GadgetfsDevice device(softConnect);
  adapterForSignal = &adapter;
  deviceForSignal = &device;
  OnSignal(SIGUSR1, OnSmbusOnly);
  if (!softConnect.empty()) OnSignal(SIGUSR2, OnUnplug);
  RunAheadOfClients();

  if (!device.Plug(endpoint0, error)) return Fail(error);
  Say("plugged in at " + endpoint0);
  if (!ready.empty()) std::ofstream(ready) << "plugged in\n";
  device.Serve(adapter);
}
