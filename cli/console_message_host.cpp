// SPDX-License-Identifier: MIT
#include "cli/console_message_host.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <string_view>

namespace torvix {

namespace {

// The window says this when the panel falls back on the defaults; torvix shows no values at
// all after a failed read, so the second half would not be true here.
constexpr std::string_view kPanelReadFailure =
    "Camera settings not correctly read, default values displayed";
constexpr std::string_view kCommandReadFailure = "Camera settings not correctly read";

// An answer is a word: a line longer than this (input with no line break, /dev/zero) is read
// no further and taken for a no, as a profile on standard input is bounded.
constexpr std::size_t kLongestAnswer = 4096;

// getline up to kLongestAnswer characters: false at the end of the input or past the bound.
bool readAnswer(std::istream& in, std::string& answer) {
  for (char c = 0; in.get(c);) {
    if (c == '\n') return true;
    if (answer.size() == kLongestAnswer) return false;
    answer += c;
  }
  return !answer.empty();
}

bool isYes(std::string answer) {
  while (!answer.empty() && std::isspace(static_cast<unsigned char>(answer.back())) != 0) {
    answer.pop_back();
  }
  for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return answer == "y" || answer == "yes";
}

}  // namespace

void ConsoleMessageHost::EndProgress() {
  if (!lineOpen_) return;
  console_.err << '\n';
  lineOpen_ = false;
}

int ConsoleMessageHost::Show(const char* text, unsigned type) {
  EndProgress();
  std::string_view words = text != nullptr ? text : "";
  if (words == kPanelReadFailure) words = kCommandReadFailure;
  if ((type & kMessageOkCancel) != 0) return ask(std::string(words));
  console_.err << words;
  // Some texts end in a line break of their own ("Can't open file ..."); one is enough.
  if (words.empty() || words.back() != '\n') console_.err << '\n';
  console_.err.flush();
  return kAnswerOk;
}

// Anything but an explicit yes, end of input included, is a no: nothing destructive happens
// because a script forgot -y.
int ConsoleMessageHost::ask(const std::string& question) {
  if (assumeYes_) return kAnswerOk;
  console_.err << question << " [y/N] ";
  console_.err.flush();
  std::string answer;
  if (!readAnswer(console_.in, answer)) {
    console_.err << '\n';
    return kAnswerCancel;
  }
  return isYes(answer) ? kAnswerOk : kAnswerCancel;
}

}  // namespace torvix
