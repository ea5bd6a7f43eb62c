// SPDX-License-Identifier: MIT
// The texts ErrorString gives for the library's result codes.
#pragma once

#include <cstdint>

namespace torvix {

// The longest text has 51 characters; ErrorString's caller supplies 52 bytes.
inline constexpr int kLongestErrorText = 51;

// Never nullptr: codes without a text of their own get "Unrecognised error code".
const char* ErrorText(int16_t code);

}  // namespace torvix
