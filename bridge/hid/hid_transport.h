// SPDX-License-Identifier: MIT
// The software board in process over a HID bridge chip (QUORLINK_DEVICE=hid:...): the chip's
// protocol spoken through the system's HID access, with no driver of the chip's maker.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/hid/hid_access.h"
#include "bridge/hid/hid_bridge_chips.h"
#include "bridge/hid/hid_chip_bus.h"
#include "bridge/src/adapter_device.h"

namespace torvix {

// spec is what follows "hid:" (hid_bridge_chips.h). The device, or why it cannot be opened in
// words.
struct HidAdapterOpening {
  std::unique_ptr<AdapterDevice> device;
  std::string problem;
};
HidAdapterOpening OpenHidAdapter(std::string_view spec);

// Starts the chip behind access: the chip's own protocol, or, for a chip of ids neither has
// (null), the one it answers as. The bus, or why the chip cannot be used.
struct HidBusOpening {
  std::shared_ptr<HidChipBus> bus;
  std::string problem;
};
HidBusOpening StartHidChip(const HidBridgeChip* chip, std::unique_ptr<HidAccess> access);

// Closes the chips kept open between handles, so a test starts on a device of its own.
void ForgetStartedHidChipsForTesting();

}  // namespace torvix
