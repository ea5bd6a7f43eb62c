// SPDX-License-Identifier: MIT
#include "sim/board_faults.h"

namespace torvix {

std::optional<DriverRequest> ClassifyRequest(uint32_t code, std::span<const uint8_t> input) {
  if (code == kControlVersion) return DriverRequest::kVersion;
  if (input.size() != kPhaseSelectorSize) return std::nullopt;
  const uint32_t phase = static_cast<uint32_t>(input[0]) | (static_cast<uint32_t>(input[1]) << 8) |
                         (static_cast<uint32_t>(input[2]) << 16) |
                         (static_cast<uint32_t>(input[3]) << 24);
  if (code == kControlHostToBoard) {
    if (phase == static_cast<uint32_t>(Phase::kHeader)) return DriverRequest::kHeader;
    if (phase == static_cast<uint32_t>(Phase::kWriteData)) return DriverRequest::kWriteData;
  } else if (code == kControlBoardToHost) {
    if (phase == static_cast<uint32_t>(Phase::kReadData)) return DriverRequest::kReadData;
    if (phase == static_cast<uint32_t>(Phase::kStatus)) return DriverRequest::kStatus;
  }
  return std::nullopt;
}

}  // namespace torvix
