// SPDX-License-Identifier: MIT
#include "cli/address_hint.h"

#include "camera/address_search.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

// The board's code for an address that nobody on the bus acknowledged ("error: USB_I2C_NACK").
constexpr int16_t kAddressNotAcknowledged = 14;

}  // namespace

std::string SevenBitAddressHint(CameraLink& link, uint8_t address8, int16_t lastFailure) {
  if (lastFailure != kAddressNotAcknowledged) return {};
  const unsigned doubled = 2u * address8;
  if (address8 == 0 || doubled > kLastProbeAddress) return {};
  const auto candidate = static_cast<uint8_t>(doubled);
  // 0x70 is a 7-bit address too: only a camera that answers there makes the hint true.
  if (ProbeCameraAddress(link, candidate, OnBoardFailure::kProbeOn) != ProbeOutcome::kAnswered) {
    return {};
  }
  return "Hint: this tool takes the 8-bit form; try " + HexByte(candidate) +
         " (the 8-bit form of " + HexByte(address8) + ")";
}

}  // namespace torvix
