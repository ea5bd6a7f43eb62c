// SPDX-License-Identifier: MIT
#include "window/check_question.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "window/dialog.h"

namespace torvix {

namespace {

// Dialog units, as the platform lays out its own boxes: 7 around and between, buttons of 50 x 14.
constexpr int kMargin = 7;
constexpr int kLineHeight = 8;
constexpr int kCharWidth = 4;  // the average character is 4 dialog units wide
constexpr int kCheckHeight = 10;
constexpr int kCheckBoxWidth = 16;  // the box and its gap before the caption
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;

// Proportional text runs past the average in lines of digits and capitals: one character more
// in every eight keeps the longest line whole.
int textWidth(std::size_t characters) {
  const auto width = static_cast<int>(characters) * kCharWidth;
  return width + width / 8;
}

// The template is built before the dialog's window, which keeps referring to it.
class QuestionTemplate {
 protected:
  explicit QuestionTemplate(CheckQuestion question);

  CheckQuestion question_;
  std::array<ControlTemplate, 4> controls_{};
  DialogTemplate template_{};
};

QuestionTemplate::QuestionTemplate(CheckQuestion question) : question_(std::move(question)) {
  std::size_t lines = 1;
  std::size_t longest = 0;
  std::size_t start = 0;
  for (std::size_t end = question_.text.find('\n');; end = question_.text.find('\n', start)) {
    longest = std::max(longest, (end == std::string::npos ? question_.text.size() : end) - start);
    if (end == std::string::npos) break;
    ++lines;
    start = end + 1;
  }
  const int textHeight = static_cast<int>(lines) * kLineHeight;
  const int checkWidth = kCheckBoxWidth + textWidth(question_.checkCaption.size());
  const int inner = std::max({textWidth(longest), checkWidth, 2 * kButtonWidth + kButtonGap});
  const int checkY = kMargin + textHeight + kMargin;
  const int buttonY = checkY + kCheckHeight + kMargin;
  const int width = inner + 2 * kMargin;
  const int cancelX = width - kMargin - kButtonWidth;
  using K = ControlKind;
  // OK first: it takes the focus, as in a message box.
  // clang-format off
  controls_ = {{
      {kStaticId, K::Text, question_.text.c_str(), "", true,
       {kMargin, kMargin, inner, textHeight}, 0},
      {kIdOk, K::DefaultPushButton, "OK", "", true,
       {cancelX - kButtonGap - kButtonWidth, buttonY, kButtonWidth, kButtonHeight}, 0},
      {kIdCancel, K::PushButton, "Cancel", "", true,
       {cancelX, buttonY, kButtonWidth, kButtonHeight}, 0},
      {kCheckQuestionBoxId, K::CheckBox, question_.checkCaption.c_str(), "", true,
       {kMargin, checkY, checkWidth, kCheckHeight}, 0},
  }};
  template_ = {kCheckQuestionTemplateId, question_.caption.c_str(), width,
               buttonY + kButtonHeight + kMargin, "MS Shell Dlg", 8, true, controls_};
  // clang-format on
}

class CheckQuestionDialog final : private QuestionTemplate, public Dialog {
 public:
  CheckQuestionDialog(const CheckQuestion& question, MessageHost& messages)
      : QuestionTemplate(question), Dialog(template_, messages) {}

  int checked = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    DDX_Check(exchange, kCheckQuestionBoxId, checked);
  }
};

}  // namespace

CheckQuestionAnswer AskCheckQuestion(ModalHost& host, MessageHost& messages,
                                     const CheckQuestion& question) {
  CheckQuestionDialog dialog(question, messages);
  if (dialog.DoModal(host) != kIdOk) return {};
  return {kAnswerOk, dialog.checked != 0};
}

}  // namespace torvix
