// SPDX-License-Identifier: MIT
#include "bridge/hid/hid_transport.h"

#include <map>

#include "bridge/devices/device_setting.h"
#include "bridge/hid/cp2112_bus.h"
#include "bridge/hid/hid_bridge_chips.h"
#include "bridge/hid/hid_row.h"
#include "bridge/hid/mcp2221_bus.h"
#include "bridge/src/board_on_bus.h"

namespace torvix {

namespace {

// The chips this process has started, by path, kept open between bridge handles: a register
// access of the camera takes two handles, and each opening of a hidraw node costs usbhid 50 ms
// (a start of the chip, a report or two more). The library's lock keeps its callers to one at a
// time. One found gone is opened and started anew.
std::map<std::string, std::shared_ptr<HidChipBus>>& Started() {
  static std::map<std::string, std::shared_ptr<HidChipBus>> started;
  return started;
}

HidBusOpening OpenChosen(const HidChoice& choice) {
  if (!choice.problem.empty()) return {nullptr, choice.problem};
  const std::string& path = choice.device.path;
  std::shared_ptr<HidChipBus>& started = Started()[path];
  if (started && started->StillThere()) return {started, {}};
  started.reset();
  HidAccessOpening opening = OpenHidAccess(path);
  HidBusOpening chip = opening.access ? StartHidChip(choice.chip, std::move(opening.access))
                                      : HidBusOpening{nullptr, opening.problem};
  started = chip.bus;
  return chip;
}

}  // namespace

HidBusOpening StartHidChip(const HidBridgeChip* chip, std::unique_ptr<HidAccess> access) {
  const HidProtocol protocol = chip != nullptr     ? chip->protocol
                               : IsCp2112(*access) ? HidProtocol::kCp2112
                                                   : HidProtocol::kMcp2221;
  if (protocol == HidProtocol::kCp2112) {
    auto bus = std::make_unique<Cp2112Bus>(std::move(access));
    const std::string problem = bus->Start();
    if (problem.empty()) return {std::move(bus), {}};
    return {nullptr, "the CP2112 cannot be used: " + problem};
  }
  auto bus = std::make_unique<Mcp2221Bus>(std::move(access));
  if (bus->Start()) return {std::move(bus), {}};
  return {nullptr, "the MCP2221 cannot be used: it does not answer as an MCP2221 does"};
}

HidAdapterOpening OpenHidAdapter(std::string_view spec) {
  HidBusOpening opening = OpenChosen(ChooseUsableHidDevice(spec, ListHidDevices()));
  if (!opening.bus) return {nullptr, opening.problem};
  return {std::make_unique<BoardOnBus<std::shared_ptr<HidChipBus>>>(std::move(opening.bus)), {}};
}

std::unique_ptr<AdapterDevice> HidTransport::Open(const DeviceSetting& setting) {
  return OpenHidAdapter(setting.argument).device;
}

void ForgetStartedHidChipsForTesting() { Started().clear(); }

}  // namespace torvix
