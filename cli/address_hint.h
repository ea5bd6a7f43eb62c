// SPDX-License-Identifier: MIT
// i2cdetect and the kernel's drivers write a bus address in its 7-bit form; torvix, as the
// window, in its 8-bit form. A camera sought at the 7-bit form of its address gets a hint.
#pragma once

#include <cstdint>
#include <string>

#include "camera/camera_link.h"

namespace torvix {

// After a failed run at address8 whose last failed transfer gave lastFailure (the bridge's
// code): when nobody acknowledged address8 and a camera answers the probe at its double,
// "Hint: this tool takes the 8-bit form; try 0x70 (the 8-bit form of 0x38)"; "" otherwise, and
// nothing sent (a board that failed, an address whose double torvix does not take).
std::string SevenBitAddressHint(CameraLink& link, uint8_t address8, int16_t lastFailure);

}  // namespace torvix
