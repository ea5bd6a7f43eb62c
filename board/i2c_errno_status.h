// What the kernel's i2c errno means as the board's status byte.
#pragma once

#include <cstdint>

namespace torvix {

// 0 gives kStatusDone. docs/adapter-protocol.md ("Linux i2c-dev") has the table.
uint8_t StatusForErrno(int error);

}  // namespace torvix
