// SPDX-License-Identifier: MIT
// A message host that logs each box as "Box(type): text" and answers from a script.
#pragma once

#include <deque>

#include "messages/message_host.h"
#include "tests/support/call_log.h"

namespace torvix::testing {

class RecordingMessageHost final : public MessageHost {
 public:
  explicit RecordingMessageHost(CallLog& log) : log_(log) {}

  void QueueAnswer(int answer) { answers_.push_back(answer); }

  int Show(const char* text, unsigned type) override {
    log_.push_back(Printed("Box(0x%02x): %s", type, text == nullptr ? "(null)" : text));
    if (answers_.empty()) return kAnswerOk;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

 private:
  CallLog& log_;
  std::deque<int> answers_;
};

}  // namespace torvix::testing
