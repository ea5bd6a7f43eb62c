// SPDX-License-Identifier: MIT
#include "bridge/sim/sim_device.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/bus_log_file.h"
#include "sim/sim_rig.h"

namespace torvix {

namespace {

// A handle on the process-wide virtual board: opening it is plugging nothing in, so every
// device opened shares the one camera and its state, as handles on a real board do. Its
// pending request is its own: a header of another handle never takes this one's data.
class SimAdapterDevice final : public AdapterDevice {
 public:
  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    return SimRig::Instance().Control(*session_, code, input, output);
  }

 private:
  std::unique_ptr<AdapterBoard> session_ = SimRig::Instance().OpenBoardSession();
};

// QUORLINK_SIM_LOG=FILE: the virtual camera appends its bus log to FILE, in the lines of
// zembrel-sim --log. Read at every open, so a program may name another file between handles.
void FollowLogSetting(BusLog& log) {
  const char* setting = std::getenv("QUORLINK_SIM_LOG");
  const std::string path = setting != nullptr ? setting : "";
  const BusLogFile* current = log.File();
  if (current != nullptr ? current->Path() == path : path.empty()) return;
  if (path.empty()) {
    log.SetFile(nullptr);
    return;
  }
  auto file = std::make_unique<BusLogFile>(path);
  if (!file->IsOpen()) {
    std::fprintf(stderr, "Quorlink: cannot append the bus log to %s: %s\n", path.c_str(),
                 file->Problem().c_str());
  }
  // Kept even when it did not open, so that line comes once and not at every open.
  log.SetFile(std::move(file));
}

}  // namespace

std::unique_ptr<AdapterDevice> OpenSimAdapterDevice() {
  if (!SimRig::Instance().BoardPresent()) return nullptr;
  FollowLogSetting(SimRig::Instance().Log());
  return std::make_unique<SimAdapterDevice>();
}

std::unique_ptr<AdapterDevice> SimTransport::Open(const DeviceSetting& /*setting*/) {
  return OpenSimAdapterDevice();
}

}  // namespace torvix
