// SPDX-License-Identifier: MIT
// Where message boxes go: the camera link's, the dump writers' and every window's.
//
// It stands below both the camera link and the window layer, so that neither needs the other:
// the window layer shows the boxes as modal boxes captioned with the program's name, the
// command line writes them on stderr, and tests answer them from a script. The type and answer
// values are the classic message-box ones, spelled without the platform's macro names so that this
// header can sit beside <windows.h>.
#pragma once

namespace torvix {

inline constexpr unsigned kMessageOk = 0x00;        // one OK button, no icon
inline constexpr unsigned kMessageOkCancel = 0x01;  // OK and Cancel buttons
inline constexpr unsigned kMessageExclamation = 0x30;
inline constexpr unsigned kMessageOkCancelExclamation = kMessageOkCancel | kMessageExclamation;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;

class MessageHost {
 public:
  virtual ~MessageHost() = default;
  // Shows text modally and returns once the user closed the box: kAnswerOk or kAnswerCancel.
  virtual int Show(const char* text, unsigned type) = 0;
};

}  // namespace torvix
