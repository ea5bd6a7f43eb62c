// SPDX-License-Identifier: MIT
// The camera link's message boxes as the platform's own, captioned with the program's name and
// owned by the open dialog, which takes no input while a box is up.
#pragma once

#include "app/win32/native_modal_host.h"
#include "messages/message_host.h"

namespace torvix {

class NativeMessageHost final : public MessageHost {
 public:
  explicit NativeMessageHost(const NativeModalHost& windows) : windows_(windows) {}
  int Show(const char* text, unsigned type) override;

 private:
  const NativeModalHost& windows_;
};

}  // namespace torvix
