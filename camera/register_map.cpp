// SPDX-License-Identifier: MIT
#include "camera/register_map.h"

#include "camera/settings_table.h"

namespace torvix {

namespace {
constexpr uint8_t kLlsOn = 0x07;
constexpr uint8_t kLlsShownMask = 0x03;
}  // namespace

uint8_t FlagToRegister(uint8_t current, uint8_t mask, bool checked) {
  return static_cast<uint8_t>(checked ? (current | mask) : (current & ~mask));
}

bool FlagShown(uint8_t value, uint8_t mask) { return (value & mask) != 0; }

uint8_t ClampToRange(unsigned value, uint8_t minimum, uint8_t maximum) {
  if (value > maximum) return maximum;
  if (value < minimum) return minimum;
  return static_cast<uint8_t>(value);
}

uint8_t ListIndexToRegister(int index) { return static_cast<uint8_t>(index); }

std::optional<int> ListIndexShown(uint8_t value, int itemCount) {
  if (value >= itemCount) return std::nullopt;
  return value;
}

uint8_t WhiteBalanceModeToRegister(uint8_t current, int index) {
  const auto bits = static_cast<uint8_t>(index & kWhiteBalanceModeBits);
  return static_cast<uint8_t>((current & ~kWhiteBalanceModeBits) | bits);
}

int WhiteBalanceModeShown(uint8_t whiteBalanceControl, uint8_t pushToWhite) {
  if (pushToWhite == kPushToWhiteButton || pushToWhite == kPushToWhiteSet) {
    return kWhiteBalancePushToWhite;
  }
  return whiteBalanceControl & 0x01;
}

uint8_t PushToWhiteForMode(int index) {
  return index == kWhiteBalancePushToWhite ? kPushToWhiteSet : kPushToWhiteOff;
}

uint8_t MirrorIntoWhiteBalance(uint8_t current, bool mirrored) {
  return FlagToRegister(current, kWhiteBalanceMirrorMask, mirrored);
}

uint8_t BlcPositionWithVertical(uint8_t current, int index) {
  const auto field = static_cast<uint8_t>(index & kBlcFieldMask);
  return static_cast<uint8_t>((current & ~kBlcFieldMask) | field);
}

uint8_t BlcPositionWithHorizontal(uint8_t current, int index) {
  const auto mask = static_cast<uint8_t>(kBlcFieldMask << kBlcHorizontalShift);
  const auto field = static_cast<uint8_t>((index & kBlcFieldMask) << kBlcHorizontalShift);
  return static_cast<uint8_t>((current & ~mask) | field);
}

int BlcVerticalShown(uint8_t value) { return value & kBlcFieldMask; }

int BlcHorizontalShown(uint8_t value) { return (value >> kBlcHorizontalShift) & kBlcFieldMask; }

uint8_t BlcSizeCodeOf(int index) {
  const int last = static_cast<int>(BlcSizeCodes.size()) - 1;
  if (index < 0 || index > last) index = last;
  return BlcSizeCodes[static_cast<std::size_t>(index)];
}

std::optional<int> BlcSizeIndexOf(uint8_t code) {
  for (std::size_t i = 0; i < BlcSizeCodes.size(); ++i) {
    if (BlcSizeCodes[i] == code) return static_cast<int>(i);
  }
  return std::nullopt;
}

uint8_t LlsModeToRegister(bool checked) { return checked ? kLlsOn : 0x00; }
bool LlsModeShown(uint8_t value) { return (value & kLlsShownMask) != 0; }
uint8_t SharpnessOnToRegister(bool checked) { return checked ? 0x00 : 0x01; }
bool SharpnessOnShown(uint8_t value) { return (value & 0x01) == 0; }
uint8_t OsdControlToRegister(bool checked) { return checked ? 0x01 : 0x00; }
bool OsdControlShown(uint8_t value) { return value != 0; }
uint8_t VideoStandardToRegister(bool pal) { return pal ? 0x01 : 0x00; }
bool PalShown(uint8_t value) { return (value & 0x01) != 0; }

uint8_t ClampCameraAddress(unsigned value) {
  return static_cast<uint8_t>(value > kCameraAddressMaximum ? kCameraAddressMaximum : value);
}

}  // namespace torvix
