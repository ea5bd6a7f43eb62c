// SPDX-License-Identifier: MIT
// The camera link's message boxes on a terminal: every message goes to stderr in the window's
// own words, and the one question (the reset) is answered from stdin, or yes with -y.
#pragma once

#include <string>

#include "cli/console.h"
#include "messages/message_host.h"

namespace torvix {

class ConsoleMessageHost final : public MessageHost {
 public:
  explicit ConsoleMessageHost(Console& console) : console_(console) {}

  void SetAssumeYes(bool yes) { assumeYes_ = yes; }
  int Show(const char* text, unsigned type) override;

  // A progress bar is drawn on the current line of stderr: the next message starts a new one.
  void ProgressDrawn() { lineOpen_ = true; }
  // Ends the bar's line, if one is open.
  void EndProgress();

 private:
  int ask(const std::string& question);

  Console& console_;
  bool assumeYes_ = false;
  bool lineOpen_ = false;
};

}  // namespace torvix
