// SPDX-License-Identifier: MIT
#include "cli/address_hint.h"

#include "board/adapter_protocol.h"
#include "camera/address_search.h"
#include "profiles/setting_catalog.h"

namespace torvix {

std::string SevenBitAddressHint(CameraLink& link, uint8_t address8, int16_t lastFailure) {
  // The bridge passes the board's status on: nobody acknowledged the address.
  if (lastFailure != kStatusAddressNack) return {};
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
