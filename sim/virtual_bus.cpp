// SPDX-License-Identifier: MIT
#include "sim/virtual_bus.h"

#include <algorithm>

#include "board/adapter_protocol.h"

namespace torvix {

void VirtualBus::Attach(I2cDevice& device) {
  if (std::find(devices_.begin(), devices_.end(), &device) == devices_.end()) {
    devices_.push_back(&device);
  }
}

void VirtualBus::Detach(const I2cDevice& device) {
  devices_.erase(std::remove(devices_.begin(), devices_.end(), &device), devices_.end());
}

I2cDevice* VirtualBus::Find(uint8_t address7) const {
  for (I2cDevice* device : devices_) {
    if (device->Address7() == address7) return device;
  }
  return nullptr;
}

uint8_t VirtualBus::FaultStatus() const {
  if (faults_.forcedStatus) return *faults_.forcedStatus;
  if (faults_.BusyAt(Now())) return kStatusBusBusy;
  return kStatusDone;
}

uint8_t VirtualBus::Write(uint8_t address7, std::span<const uint8_t> data) {
  address7 &= 0x7F;
  uint8_t status = FaultStatus();
  if (status == kStatusDone && !faults_.forcedStatus) {
    I2cDevice* device = Find(address7);
    status = device != nullptr ? device->Write(data) : kStatusAddressNack;
  }
  log_.Record({Now(), address7, Direction::kWrite, {data.begin(), data.end()}, status});
  return status;
}

uint8_t VirtualBus::Read(uint8_t address7, std::span<uint8_t> data) {
  address7 &= 0x7F;
  uint8_t status = FaultStatus();
  if (status == kStatusDone && !faults_.forcedStatus) {
    I2cDevice* device = Find(address7);
    status = device != nullptr ? device->Read(data) : kStatusAddressNack;
  }
  BusTransfer transfer{Now(), address7, Direction::kRead, {}, status};
  if (status == kStatusDone) transfer.bytes.assign(data.begin(), data.end());
  log_.Record(std::move(transfer));
  return status;
}

uint8_t VirtualBus::WriteRead(uint8_t address7, std::span<const uint8_t> write,
                              std::span<uint8_t> read) {
  const uint8_t status = Write(address7, write);
  return status != kStatusDone ? status : Read(address7, read);
}

uint8_t VirtualBus::BusState() { return faults_.BusyAt(Now()) ? kBusBusy : kBusIdle; }

}  // namespace torvix
