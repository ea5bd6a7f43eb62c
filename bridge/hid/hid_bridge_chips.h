// SPDX-License-Identifier: MIT
// The HID bridge chips the library speaks to, and which device a setting's "hid:" part names.
//
//   mcp2221 | cp2112 | VID:PID (hexadecimal)
//   then /SERIAL (the device whose serial number it is) or #N (the N-th such device listed)
//
// A chip whose USB ids were changed is named by its ids; the library then tells the chip by
// asking for the CP2112's version report, which an MCP2221 does not have.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/hid/hid_devices.h"

namespace torvix {

enum class HidProtocol { kMcp2221, kCp2112 };

struct HidBridgeChip {
  const char* name;
  uint16_t vendor;
  uint16_t product;
  HidProtocol protocol;
};

inline constexpr HidBridgeChip kHidBridgeChips[] = {
    {"mcp2221", 0x04D8, 0x00DD, HidProtocol::kMcp2221},
    {"cp2112", 0x10C4, 0xEA90, HidProtocol::kCp2112},
};

// The chip of these USB ids; nullptr for ids of neither.
const HidBridgeChip* ChipOf(uint16_t vendor, uint16_t product);

struct HidChoice {
  HidDevice device;
  const HidBridgeChip* chip = nullptr;  // nullptr: named by other ids, to be asked
  std::string problem;                  // in words, when no device is chosen
};
HidChoice ChooseHidDevice(std::string_view spec, const std::vector<HidDevice>& devices);

// The device spec names, and why it cannot serve here: the choice's words, a kernel driver
// that has it, or a system that gives it no access.
HidChoice ChooseUsableHidDevice(std::string_view spec, const std::vector<HidDevice>& devices);

// A chip its own kernel driver has (Linux), in words that name the bus that driver made.
std::string KernelDriverProblem(const HidDevice& device);

// The HID bridge chips among devices, each with the setting that names it: hid:CHIP/SERIAL
// where its serial number is its own, else hid:CHIP#N.
struct NamedHidDevice {
  std::string setting;
  HidDevice device;
};
std::vector<NamedHidDevice> NameHidBridges(const std::vector<HidDevice>& devices);

}  // namespace torvix
