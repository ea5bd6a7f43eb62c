// SPDX-License-Identifier: MIT
// The words a technician sees for each bridge result code.
#pragma once

#include <cstdint>

namespace torvix {

struct BridgeErrorText {
  const char* first;
  const char* second;  // nullptr: the code has one message only
};

// The messages for a result code taken as a signed 16-bit number (0xFFFF is -1). Every code
// without a text of its own, 0 included, gets the two messages about the PC-to-board link.
BridgeErrorText BridgeErrorMessages(int16_t code);

}  // namespace torvix
