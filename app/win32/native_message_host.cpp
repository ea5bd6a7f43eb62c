// SPDX-License-Identifier: MIT
#include "app/win32/native_message_host.h"

#include "app/application.h"

namespace torvix {

int NativeMessageHost::Show(const char* text, unsigned type) {
  const int answer =
      ::MessageBoxA(windows_.TopWindow(), text != nullptr ? text : "", kApplicationName, type);
  // A box that could not be shown was answered by no one: nothing is confirmed.
  return answer != 0 ? answer : kAnswerCancel;
}

}  // namespace torvix
