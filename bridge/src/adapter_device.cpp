// SPDX-License-Identifier: MIT
// How the rows of the table of transports open: each row's own Open, built where the row's
// transport is. The rest of each row is read by the rooms above too (bridge/devices/).
#include "bridge/src/adapter_device.h"

#include <array>
#include <optional>
#include <utility>

#include "bridge/devices/device_setting.h"
#include "bridge/devices/transport_table.h"

namespace torvix {

AdapterDevice::~AdapterDevice() = default;

namespace {

using Opener = std::unique_ptr<AdapterDevice> (*)(const DeviceSetting&);

template <typename Transport>
constexpr Opener OpenerOf() {
  if constexpr (OnThisSystem(Transport::kFacts.systems)) return &Transport::Open;
  return nullptr;
}

template <typename... Transports>
constexpr std::array<Opener, sizeof...(Transports)> OpenersOf(TransportList<Transports...>) {
  return {OpenerOf<Transports>()...};
}

// Row for row with TransportRows().
constexpr std::array kOpeners = OpenersOf(TransportTable{});

AdapterDeviceOpener& TestingOpener() {
  static AdapterDeviceOpener opener;
  return opener;
}

}  // namespace

std::unique_ptr<AdapterDevice> OpenAdapterDevice() {
  if (TestingOpener()) return TestingOpener()();
  const std::optional<DeviceSetting> setting = CurrentDeviceSetting();
  if (!setting) return nullptr;
  const Opener open = kOpeners[static_cast<std::size_t>(setting->row - TransportRows().data())];
  return open != nullptr ? open(*setting) : nullptr;
}

void SetAdapterDeviceOpenerForTesting(AdapterDeviceOpener opener) {
  TestingOpener() = std::move(opener);
}

}  // namespace torvix
