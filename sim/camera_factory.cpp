// SPDX-License-Identifier: MIT
#include "sim/camera_factory.h"

namespace torvix {

const std::array<FactorySetting, kCameraSettingsCount> kCameraFactorySettings{{
    {0x02, 0x29}, {0x1D, 0x80}, {0x04, 0x78}, {0x42, 0x67}, {0x43, 0xA0}, {0x06, 0x30},
    {0x07, 0x03}, {0x13, 0x30}, {0x14, 0x00}, {0x15, 0x3F}, {0x31, 0x70}, {0x52, 0x40},
    {0x53, 0x18}, {0x54, 0x02}, {0x55, 0x00}, {0x56, 0x00}, {0x57, 0x3C}, {0x60, 0x02},
    {0x63, 0x40}, {0x6A, 0x00}, {0x70, 0x07}, {0x71, 0x80}, {0x72, 0x20}, {0x73, 0x56},
    {0x7B, 0x00}, {0x7C, 0x14}, {0x80, 0x00}, {0x8B, 0x7C}, {0xA0, 0x01},
}};

uint8_t DspPattern(unsigned page, unsigned offset) {
  return static_cast<uint8_t>((offset ^ (0x11u * page)) & 0xFFu);
}

uint8_t EepromPattern(unsigned index) { return static_cast<uint8_t>((7u * index + 0x5Au) & 0xFFu); }

RegisterBank FactoryBank(uint8_t factoryAddress8) {
  RegisterBank bank{};
  for (unsigned offset = 0; offset < bank.size(); ++offset) bank[offset] = DspPattern(0, offset);
  for (const FactorySetting& setting : kCameraFactorySettings) bank[setting.reg] = setting.value;
  bank[kRegOwnAddress] = factoryAddress8;
  return bank;
}

Eeprom FactoryEeprom() {
  Eeprom eeprom{};
  for (unsigned i = 0; i < eeprom.size(); ++i) eeprom[i] = EepromPattern(i);
  return eeprom;
}

}  // namespace torvix
