// SPDX-License-Identifier: MIT
// What the kernel's i2c errno means to the board.
#pragma once

#include <cstdint>
#include <string_view>

namespace torvix {

struct TransferOutcome {
  // The status byte the board answers for the transfer.
  uint8_t status = 0;
  // The adapter itself failed (it is gone, or the request to it was cut off), not the transfer
  // on the bus: the board fails the driver request instead of answering a status, as a board
  // that stopped answering does.
  bool adapterFailed = false;
};

// 0 gives kStatusDone. docs/adapter-protocol.md ("Linux i2c-dev") has the table. driver: the
// adapter's driver as sysfs names it, for the errnos that mean otherwise on some drivers; ""
// when unknown.
TransferOutcome OutcomeForErrno(int error, std::string_view driver = {});

}  // namespace torvix
