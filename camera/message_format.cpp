// SPDX-License-Identifier: MIT
#include "camera/message_format.h"

#include <cstdarg>
#include <cstdio>

namespace torvix {

namespace {

// vsnprintf never writes past size and always terminates; an encoding error leaves "".
void formatInto(char* buffer, std::size_t size, const char* format, va_list arguments) {
  buffer[0] = '\0';
  if (format == nullptr) return;
  if (std::vsnprintf(buffer, size, format, arguments) < 0) buffer[0] = '\0';
}

}  // namespace

void FormatShortMessage(ShortMessage& buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  formatInto(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
}

void FormatLongMessage(LongMessage& buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  formatInto(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
}

}  // namespace torvix
