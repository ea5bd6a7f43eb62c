// SPDX-License-Identifier: MIT
// Faults of the adapter board and its driver, applied where the driver hands a request to the
// board: the board is unplugged, or one kind of request fails or reports a short transfer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "board/adapter_protocol.h"

namespace torvix {

// The driver request a fault hits: one of the phases, or the version query.
enum class DriverRequest { kHeader, kWriteData, kReadData, kStatus, kVersion };

struct RequestFault {
  DriverRequest request = DriverRequest::kHeader;
  // false: the request fails. true: it goes through but reports one byte fewer than it moved.
  bool shortTransfer = false;
  // How many matching requests it hits before it wears off; negative: all of them.
  int times = -1;
};

struct BoardFaults {
  // Unplugged: the device cannot be opened, and an open one fails every request.
  bool absent = false;
  std::optional<RequestFault> request;
};

// Which driver request a control code and its input make; nullopt for one the board refuses.
std::optional<DriverRequest> ClassifyRequest(uint32_t code, std::span<const uint8_t> input);

}  // namespace torvix
