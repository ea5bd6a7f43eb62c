// SPDX-License-Identifier: MIT
#include "sim/virtual_camera.h"

#include "board/adapter_protocol.h"

namespace torvix {

namespace {

constexpr uint8_t kWriteRequest = 0x00;
constexpr uint8_t kRegisterTarget = 0x30;
constexpr uint8_t kBankTarget = 0x31;
constexpr uint8_t kBankRead = 0x01;
constexpr uint8_t kDspRead = 0x81;
constexpr uint8_t kEepromFirstTarget = 0xA0;

}  // namespace

VirtualCamera::VirtualCamera(uint8_t factoryAddress8)
    : factoryAddress8_(factoryAddress8 & 0xFE),
      address8_(factoryAddress8_),
      bank_(FactoryBank(factoryAddress8_)),
      eeprom_(FactoryEeprom()) {}

bool VirtualCamera::Busy() const { return reloading_ && Now() < busyUntil_; }

uint8_t VirtualCamera::Write(std::span<const uint8_t> data) {
  if (!powered_ || Busy()) return kStatusAddressNack;
  if (data.empty()) return kStatusDone;  // an address-only probe
  if (data.size() == 3) return Request(data.first<3>());
  if (data.size() == 1 && pendingRegister_) {
    const uint8_t reg = *pendingRegister_;
    pendingRegister_.reset();
    WriteRegister(reg, data[0]);
    return kStatusDone;
  }
  // A value with no register request before it, or a length the camera has no use for.
  pendingRegister_.reset();
  return kStatusDataNack;
}

uint8_t VirtualCamera::Request(std::span<const uint8_t, 3> bytes) {
  pendingRegister_.reset();
  selection_ = Selection{};
  const uint8_t select = bytes[0];
  const uint8_t target = bytes[1];
  const uint8_t offset = bytes[2];
  if (select == kWriteRequest && target == kRegisterTarget) {
    pendingRegister_ = offset;
    return kStatusDone;
  }
  if (select == kBankRead && (target == kRegisterTarget || target == kBankTarget)) {
    selection_ = {Space::kBank, 0, offset};
    return kStatusDone;
  }
  if (select == kDspRead && target < kDspPages) {
    selection_ = {Space::kDspPage, target, offset};
    return kStatusDone;
  }
  const unsigned block = static_cast<unsigned>(target - kEepromFirstTarget) / 2;
  if (select == kBankRead && target >= kEepromFirstTarget && (target & 1) == 0 &&
      block < kEepromBlocks) {
    selection_ = {Space::kEeprom, block, offset};
    return kStatusDone;
  }
  return kStatusDataNack;
}

void VirtualCamera::WriteRegister(uint8_t reg, uint8_t value) {
  if (reg == kRegLoadDefaults) {
    // A command, not a setting: nothing is stored, other values do nothing.
    if (value != 1) return;
    bank_ = FactoryBank(factoryAddress8_);
    reloading_ = true;
    busyUntil_ = Now() + kLoadDefaultsTime;
  } else {
    bank_[reg] = value;
  }
  ++generation_;
}

uint8_t VirtualCamera::Read(std::span<uint8_t> data) {
  if (!powered_ || Busy()) return kStatusAddressNack;
  for (uint8_t& byte : data) {
    byte = SelectedByte();
    selection_.offset = (selection_.offset + 1) % kDspPageSize;
  }
  return kStatusDone;
}

uint8_t VirtualCamera::SelectedByte() const {
  const auto offset = static_cast<uint8_t>(selection_.offset);
  switch (selection_.space) {
    case Space::kBank: return bank_[offset];
    case Space::kDspPage: return DspRegister(selection_.page, offset);
    case Space::kEeprom: return eeprom_[selection_.page * kEepromBlockSize + offset];
    case Space::kNone: break;
  }
  return 0xFF;  // nothing selected: the data line stays high
}

uint8_t VirtualCamera::DspRegister(unsigned page, uint8_t offset) const {
  return page == 0 ? bank_[offset] : DspPattern(page, offset);
}

void VirtualCamera::SetRegister(uint8_t reg, uint8_t value) {
  bank_[reg] = value;
  ++generation_;
}

void VirtualCamera::SetPowered(bool on) {
  if (on && !powered_) {
    address8_ = bank_[kRegOwnAddress] & 0xFE;
    if (bank_[kRegOsdControl] != 0) {
      bank_[kRegOsdControl] = 0;
      ++generation_;
    }
    pendingRegister_.reset();
    selection_ = Selection{};
    reloading_ = false;
  }
  powered_ = on;
}

void VirtualCamera::PowerCycle() {
  SetPowered(false);
  SetPowered(true);
}

void VirtualCamera::Restore(const RegisterBank& bank, const Eeprom& eeprom) {
  bank_ = bank;
  eeprom_ = eeprom;
  ++generation_;
  PowerCycle();
}

}  // namespace torvix
