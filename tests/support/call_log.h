// SPDX-License-Identifier: MIT
// One ordered record of what the camera link did: bridge calls, pauses and message boxes,
// so a test can compare a whole exchange with one expected list.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "camera/message_format.h"
#include "clock/clock.h"

namespace torvix::testing {

using CallLog = std::vector<std::string>;

inline std::string Printed(const char* format, ...) TORVIX_PRINTF_FORMAT(1, 2);
inline std::string Printed(const char* format, ...) {
  char text[160];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

// Bytes as two hex digits each, separated by blanks: "30 55".
inline std::string HexBytes(const uint8_t* data, int length) {
  std::string text;
  for (int i = 0; data != nullptr && i < length; ++i) {
    if (i > 0) text += ' ';
    text += Printed("%02x", data[i]);
  }
  return text;
}

// A clock that records each pause in the log and returns at once.
class LoggingClock final : public Clock {
 public:
  explicit LoggingClock(CallLog& log) : log_(log) {}
  Microseconds Now() const override { return now_; }
  void Pause(Milliseconds duration) override {
    now_ += duration;
    log_.push_back(Printed("Pause(%lld)", static_cast<long long>(duration.count())));
  }

 private:
  CallLog& log_;
  Microseconds now_{0};
};

}  // namespace torvix::testing
