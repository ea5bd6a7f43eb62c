// A message host that keeps every box it was asked to show, for the drills to compare.
#pragma once

#include <string>
#include <vector>

#include "messages/message_host.h"

namespace torvix::drills {

struct Box {
  std::string text;
  unsigned type = 0;
  bool operator==(const Box&) const = default;
};

class RecordedMessages final : public MessageHost {
 public:
  int Show(const char* text, unsigned type) override {
    shown.push_back({text != nullptr ? text : "(null)", type});
    return kAnswerOk;
  }
  std::vector<Box> shown;
};

}  // namespace torvix::drills
