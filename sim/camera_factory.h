// SPDX-License-Identifier: MIT
// What the virtual camera holds when it leaves the factory, and after it loads its defaults.
//
// The settings bank is the camera's 256 registers (DSP page 0). Its 29 settings registers
// start at the values below; every other byte of the bank, of DSP pages 1..7 and of the 1 KiB
// configuration EEPROM is a fixed pattern, so a dump of a fresh camera is predictable:
//   DSP page p, offset o:      o XOR (0x11 * p)       (page 0 under the settings, too)
//   EEPROM byte i (0..1023):   (7 * i + 0x5A) mod 256  (block b, offset o: i = 256 * b + o)
#pragma once

#include <array>
#include <cstdint>

namespace torvix {

struct FactorySetting {
  uint8_t reg;
  uint8_t value;
};

inline constexpr std::size_t kCameraSettingsCount = 29;
inline constexpr std::size_t kDspPageSize = 256;
inline constexpr std::size_t kDspPages = 8;
inline constexpr std::size_t kEepromBlockSize = 256;
inline constexpr std::size_t kEepromBlocks = 4;
inline constexpr std::size_t kEepromSize = kEepromBlockSize * kEepromBlocks;

// Registers with a meaning of their own to the virtual camera.
inline constexpr uint8_t kRegOwnAddress = 0x31;    // 8-bit bus address, used from next power-up
inline constexpr uint8_t kRegOsdControl = 0x80;    // nonzero: the camera's own menu steers it
inline constexpr uint8_t kRegLoadDefaults = 0xF0;  // writing 1 loads the factory values
inline constexpr uint8_t kDefaultCameraAddress = 0x70;  // 8-bit form

// The settings registers and their factory values. Register 0x80 is the exception to the
// controller's table: the camera powers up under I2C control, so the panel is usable.
extern const std::array<FactorySetting, kCameraSettingsCount> kCameraFactorySettings;

using RegisterBank = std::array<uint8_t, kDspPageSize>;
using Eeprom = std::array<uint8_t, kEepromSize>;

uint8_t DspPattern(unsigned page, unsigned offset);
uint8_t EepromPattern(unsigned index);

// The bank a camera with this factory address (8-bit form) loads: register 0x31 holds it.
RegisterBank FactoryBank(uint8_t factoryAddress8 = kDefaultCameraAddress);
Eeprom FactoryEeprom();

}  // namespace torvix
