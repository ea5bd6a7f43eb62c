// SPDX-License-Identifier: MIT
// printf-style formatting of message texts into the two fixed buffer sizes the link uses.
//
// The buffer's size is part of the type, so a caller cannot hand in a smaller one; a text
// that would not fit is cut at the end of the buffer and always terminated.
#pragma once

#include <cstddef>

namespace torvix {

inline constexpr std::size_t kShortMessageSize = 80;  // terminator included
inline constexpr std::size_t kLongMessageSize = 120;  // terminator included

using ShortMessage = char[kShortMessageSize];
using LongMessage = char[kLongMessageSize];

#if defined(__GNUC__)
#define TORVIX_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define TORVIX_PRINTF_FORMAT(fmt, first)
#endif

// A null format leaves the empty text.
void FormatShortMessage(ShortMessage& buffer, const char* format, ...) TORVIX_PRINTF_FORMAT(2, 3);
void FormatLongMessage(LongMessage& buffer, const char* format, ...) TORVIX_PRINTF_FORMAT(2, 3);

}  // namespace torvix
