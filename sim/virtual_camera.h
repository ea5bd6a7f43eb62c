// SPDX-License-Identifier: MIT
// The virtual camera: an I2C device with the camera's indirect register protocol.
//
//   write register R := V   write 00 30 R, then a separate one-byte write of V
//   read request (S, T, O)  write S T O, then one-byte reads deliver the byte(s) selected:
//                             01 30|31 O   settings bank register O (the probe is 01 30 31)
//                             81 P O       DSP page P (0..7), offset O; page 0 is the bank
//                             01 A0+2B O   EEPROM block B (0..3), offset O
//   load defaults           register F0 := 01: the camera stops acknowledging its address for
//                           kLoadDefaultsTime, and then holds its factory values
//   own address             register 31: the 8-bit address used from the next power-up
//   OSD control             register 80: stored; every power-up clears it
// A read goes on from the selected byte, counting up within its 256-byte page. Requests the
// camera does not know are refused with a data NACK and change nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "clock/clock.h"
#include "sim/camera_factory.h"
#include "sim/i2c_device.h"

namespace torvix {

inline constexpr Milliseconds kLoadDefaultsTime{1000};

class VirtualCamera final : public I2cDevice {
 public:
  explicit VirtualCamera(uint8_t factoryAddress8 = kDefaultCameraAddress);

  uint8_t Address7() const override { return address8_ >> 1; }
  uint8_t Write(std::span<const uint8_t> data) override;
  uint8_t Read(std::span<uint8_t> data) override;

  // Power: a camera that is off acknowledges nothing. Powering up takes the address from
  // register 0x31, clears register 0x80 and forgets half-done requests and a pending reload.
  void SetPowered(bool on);
  bool Powered() const { return powered_; }
  void PowerCycle();

  // Loading its defaults (not acknowledging) at the clock's present time.
  bool Busy() const;

  uint8_t Address8() const { return address8_; }
  uint8_t FactoryAddress8() const { return factoryAddress8_; }
  uint8_t Register(uint8_t reg) const { return bank_[reg]; }
  // Test setup: sets a bank byte without any of the side effects of a bus write.
  void SetRegister(uint8_t reg, uint8_t value);
  uint8_t DspRegister(unsigned page, uint8_t offset) const;
  const RegisterBank& Bank() const { return bank_; }
  const Eeprom& EepromBytes() const { return eeprom_; }

  // Puts back a saved bank and EEPROM, then powers up, as a camera that was switched off.
  void Restore(const RegisterBank& bank, const Eeprom& eeprom);
  // Counts the changes of the bank and the EEPROM, so an owner knows when to save them.
  uint64_t Generation() const { return generation_; }

 private:
  enum class Space { kNone, kBank, kDspPage, kEeprom };
  struct Selection {
    Space space = Space::kNone;
    unsigned page = 0;  // DSP page or EEPROM block
    unsigned offset = 0;
  };

  uint8_t Request(std::span<const uint8_t, 3> bytes);
  void WriteRegister(uint8_t reg, uint8_t value);
  uint8_t SelectedByte() const;

  uint8_t factoryAddress8_;
  uint8_t address8_;
  bool powered_ = true;
  RegisterBank bank_;
  Eeprom eeprom_;
  std::optional<uint8_t> pendingRegister_;
  Selection selection_;
  Microseconds busyUntil_{0};
  bool reloading_ = false;
  uint64_t generation_ = 0;
};

}  // namespace torvix
