// SPDX-License-Identifier: MIT
// Message and modal hosts that answer from a script instead of a screen.
#pragma once

#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "messages/message_host.h"
#include "window/modal_host.h"
#include "window/progress_host.h"
#include "window/save_dialog_host.h"

namespace torvix::testing {

struct ShownMessage {
  std::string text;
  unsigned type = 0;
  bool operator==(const ShownMessage&) const = default;
};

class ScriptedMessageHost final : public MessageHost {
 public:
  int Show(const char* text, unsigned type) override {
    shown.push_back({text != nullptr ? text : "(null)", type});
    if (onShow) onShow(shown.back());
    return answer;
  }

  std::vector<ShownMessage> shown;
  int answer = kAnswerOk;
  // Runs while the box is open, so a test can see what the dialog showed at that moment.
  std::function<void(const ShownMessage&)> onShow;
};

// Each modal run takes the next step of the script; a run with no step left gives up at once.
class ScriptedModalHost final : public ModalHost {
 public:
  using Step = std::function<void(DialogWindow&)>;

  void RunModal(DialogWindow& window) override {
    ++runs;
    runTemplates.push_back(window.Template().id);
    if (steps.empty()) return;
    Step step = std::move(steps.front());
    steps.pop_front();
    step(window);
  }

  std::deque<Step> steps;
  int runs = 0;
  std::vector<int> runTemplates;
};

// Answers every save and open dialog with the same path (nullopt: the user cancels).
class ScriptedFileDialog final : public SaveDialogHost {
 public:
  std::optional<std::string> AskSavePath(const SaveDialogRequest&) override { return answer; }
  std::optional<std::string> AskOpenPath(const SaveDialogRequest&) override { return answer; }
  std::optional<std::string> answer;
};

// Records what the progress window showed ("Page 1 of 8 0"); the user presses Cancel at the
// stopAt-th question (counted from 1, 0 never).
class ScriptedProgressHost final : public ProgressHost {
 public:
  void Begin(const std::string&) override {}
  void Show(const std::string& text, int percent) override {
    shown.push_back(text + " " + std::to_string(percent));
  }
  bool StopAsked() override { return ++asked == stopAt; }
  void End() override {}

  std::vector<std::string> shown;
  int asked = 0;
  int stopAt = 0;
};

}  // namespace torvix::testing
