// SPDX-License-Identifier: MIT
// A question with OK and Cancel and a check box under its text, for a question that carries an
// option a message box has no room for. It is an ordinary dialog of the window layer, sized to
// its text, so every view shows it as it shows any dialog and tests answer it through their
// modal host.
#pragma once

#include <string>

#include "messages/message_host.h"
#include "window/modal_host.h"

namespace torvix {

inline constexpr int kCheckQuestionTemplateId = 103;
inline constexpr int kCheckQuestionBoxId = 1000;

struct CheckQuestion {
  std::string caption;
  std::string text;  // lines apart by '\n'
  std::string checkCaption;
};

struct CheckQuestionAnswer {
  int answer = kAnswerCancel;  // kAnswerOk only when OK ended the question
  bool checked = false;        // the box as OK found it; false after a cancel
};

// Runs the question modally through host; messages is where its own window would show a box.
CheckQuestionAnswer AskCheckQuestion(ModalHost& host, MessageHost& messages,
                                     const CheckQuestion& question);

}  // namespace torvix
