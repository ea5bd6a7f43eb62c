// SPDX-License-Identifier: MIT
// The progress of a long operation in a window of the platform's own: a text, a progress bar
// and Cancel, over the open dialog. The operation runs on the one thread, so the window is
// served between two steps, when the operation asks whether to stop.
#pragma once

#include <string>

#include "app/win32/native_modal_host.h"
#include "window/progress_host.h"

namespace torvix {

class NativeProgressHost final : public ProgressHost {
 public:
  NativeProgressHost(HINSTANCE instance, const NativeModalHost& windows)
      : instance_(instance), windows_(windows) {}
  ~NativeProgressHost() override;
  NativeProgressHost(const NativeProgressHost&) = delete;
  NativeProgressHost& operator=(const NativeProgressHost&) = delete;

  void Begin(const std::string& caption) override;
  void Show(const std::string& text, int percent) override;
  bool StopAsked() override;
  void End() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  const NativeModalHost& windows_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HWND bar_ = nullptr;
  HWND owner_ = nullptr;
  bool stopAsked_ = false;
};

}  // namespace torvix
