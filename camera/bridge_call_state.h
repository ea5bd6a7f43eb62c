// SPDX-License-Identifier: MIT
// The record one camera transaction hands to the error report.
#pragma once

#include <cstdint>

namespace torvix {

struct BridgeCallState {
  uint8_t aborted = 0;       // set by the error report, whatever the code
  uint8_t showMessages = 1;  // 0: report nothing to the user (the address search probes)
};

}  // namespace torvix
