// SPDX-License-Identifier: MIT
#include "bridge/hid/hid_bridge_chips.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>

namespace torvix {

namespace {

constexpr std::string_view kForm =
    "hid: names mcp2221, cp2112 or VID:PID (hexadecimal), then /SERIAL or #N";

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::optional<uint16_t> Hex16(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || text.size() > 4 || error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(value);
}

// What the part before /SERIAL or #N names: a chip, or USB ids.
struct Wanted {
  uint16_t vendor = 0;
  uint16_t product = 0;
  const HidBridgeChip* chip = nullptr;
  std::string what;  // in words: "MCP2221", "HID device 1234:abcd"
};

std::optional<Wanted> ParseHead(std::string_view head) {
  for (const HidBridgeChip& chip : kHidBridgeChips) {
    if (SameText(head, chip.name)) {
      std::string what(chip.name);
      std::transform(what.begin(), what.end(), what.begin(),
                     [](char c) { return static_cast<char>(std::toupper(c)); });
      return Wanted{chip.vendor, chip.product, &chip, what};
    }
  }
  const std::size_t colon = head.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto vendor = Hex16(head.substr(0, colon));
  const auto product = Hex16(head.substr(colon + 1));
  if (!vendor || !product) return std::nullopt;
  char what[32];
  std::snprintf(what, sizeof what, "HID device %04x:%04x", *vendor, *product);
  return Wanted{*vendor, *product, ChipOf(*vendor, *product), what};
}

std::string Listed(const std::vector<NamedHidDevice>& named) {
  std::string list;
  for (const NamedHidDevice& device : named) list += (list.empty() ? "" : ", ") + device.setting;
  return list;
}

}  // namespace

const HidBridgeChip* ChipOf(uint16_t vendor, uint16_t product) {
  for (const HidBridgeChip& chip : kHidBridgeChips) {
    if (chip.vendor == vendor && chip.product == product) return &chip;
  }
  return nullptr;
}

HidChoice ChooseHidDevice(std::string_view spec, const std::vector<HidDevice>& devices) {
  const std::size_t mark = spec.find_first_of("/#");
  const auto wanted = ParseHead(spec.substr(0, mark));
  if (!wanted) return {{}, nullptr, std::string(kForm) + ": not '" + std::string(spec) + "'"};
  std::vector<HidDevice> matching;
  std::copy_if(devices.begin(), devices.end(), std::back_inserter(matching),
               [&](const HidDevice& d) {
                 return d.vendor == wanted->vendor && d.product == wanted->product;
               });
  if (matching.empty()) return {{}, nullptr, "no " + wanted->what + " is plugged in"};
  if (mark == std::string_view::npos) {
    if (matching.size() == 1) return {matching.front(), wanted->chip, {}};
    return {{},
            nullptr,
            "more than one " + wanted->what + " is plugged in (" +
                Listed(NameHidBridges(matching)) + "): name one with /SERIAL or #N"};
  }
  const std::string_view chosen = spec.substr(mark + 1);
  if (spec[mark] == '/') {
    for (const HidDevice& device : matching) {
      if (device.serial == chosen) return {device, wanted->chip, {}};
    }
    return {{},
            nullptr,
            "no " + wanted->what + " has the serial number '" + std::string(chosen) +
                "' (plugged in: " + Listed(NameHidBridges(matching)) + ")"};
  }
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(chosen.data(), chosen.data() + chosen.size(), index);
  if (error != std::errc{} || end != chosen.data() + chosen.size() || index == 0) {
    return {{}, nullptr, std::string(kForm) + ", N from 1: not '" + std::string(spec) + "'"};
  }
  if (index > matching.size()) {
    return {{},
            nullptr,
            "there is no " + wanted->what + " #" + std::to_string(index) + ": " +
                std::to_string(matching.size()) + " plugged in"};
  }
  return {matching[index - 1], wanted->chip, {}};
}

HidChoice ChooseUsableHidDevice(std::string_view spec, const std::vector<HidDevice>& devices) {
  HidChoice choice = ChooseHidDevice(spec, devices);
  if (!choice.problem.empty()) return choice;
  if (!choice.device.driver.empty()) {
    choice.problem = KernelDriverProblem(choice.device);
  } else if (choice.device.path.empty()) {
    choice.problem = "the system gives no access to this adapter";
  }
  return choice;
}

std::string KernelDriverProblem(const HidDevice& device) {
  const std::string driver = "the kernel's driver " + device.driver + " has this adapter";
  if (device.i2cBus.empty()) {
    return driver + " and has made no i2c bus of it yet (torvix buses lists it once it has)";
  }
  return driver + ": use its bus, i2c:" + device.i2cBus.substr(4) + ", or unbind the driver";
}

std::vector<NamedHidDevice> NameHidBridges(const std::vector<HidDevice>& devices) {
  std::vector<NamedHidDevice> named;
  for (const HidBridgeChip& chip : kHidBridgeChips) {
    std::vector<HidDevice> ofChip;
    std::copy_if(devices.begin(), devices.end(), std::back_inserter(ofChip),
                 [&](const HidDevice& d) { return ChipOf(d.vendor, d.product) == &chip; });
    for (std::size_t i = 0; i < ofChip.size(); ++i) {
      const std::string& serial = ofChip[i].serial;
      const bool own = !serial.empty() && serial.find_first_of("/#") == std::string::npos &&
                       std::count_if(ofChip.begin(), ofChip.end(),
                                     [&](const HidDevice& d) { return d.serial == serial; }) == 1;
      named.push_back(
          {"hid:" + std::string(chip.name) + (own ? "/" + serial : "#" + std::to_string(i + 1)),
           ofChip[i]});
    }
  }
  return named;
}

}  // namespace torvix
