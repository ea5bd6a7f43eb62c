// SPDX-License-Identifier: MIT
// The native Windows view of one dialog window of the window layer.
//
// The dialog is built from the layer's template as an in-memory dialog template and run by the
// platform's dialog manager, so dialog units, tab order, Enter, Esc and the close box are the
// platform's own. What the user does to a native control becomes the layer's user input; every
// change the layer reports is set into the native control with its notifications held back, so
// the view never raises an event the layer did not.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "window/dialog_window.h"

namespace torvix {

class NativeDialogView final : public WindowListener {
 public:
  NativeDialogView(DialogWindow& window, HINSTANCE instance);
  ~NativeDialogView() override;
  NativeDialogView(const NativeDialogView&) = delete;
  NativeDialogView& operator=(const NativeDialogView&) = delete;

  // Runs the dialog modally over owner (nullptr: none). Returns once the layer's window has
  // ended, or at once when the platform could not create the dialog.
  void Run(HWND owner);
  HWND Handle() const { return dialog_; }

  void ControlChanged(std::size_t index) override;
  void WindowChanged() override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool Initialise(HWND dialog);

  // native_input.cpp: native notifications as the layer's user input.
  void Command(int id, int code, HWND control);
  void KeyboardCommand(int id);
  void Scroll(HWND control, int code);
  void Edited(std::size_t index);
  void ListNotified(std::size_t index, int code);
  void FocusLeftDialog(HWND now);
  void PaintMinimised();

  // native_render.cpp: the layer's state into the native controls and window.
  void Render(std::size_t index);
  void RenderText(HWND control, const std::string& text);
  void RenderList(HWND list, const ControlState& state);
  void RenderCaret(std::size_t index);
  void RenderTip(std::size_t index);
  void GiveFocusToDialog();
  void AppendSystemMenuEntries();
  void RenderIcons();

  std::optional<std::size_t> IndexOf(HWND control) const;
  // Whether the control itself has the visible style, whatever the dialog's state.
  static bool HasVisibleStyle(HWND control);
  int IdAt(std::size_t index) const { return window_.ControlAt(index).row->id; }

  DialogWindow& window_;
  HINSTANCE instance_;
  HWND dialog_ = nullptr;
  std::vector<HWND> controls_;  // in template order
  HWND tips_ = nullptr;         // the tooltip window of the controls' tips
  std::vector<std::string> tipsShown_;
  int holding_ = 0;  // notifications held back while the view sets controls
  bool dialogHoldsFocus_ = false;
  std::size_t menuEntriesShown_ = 0;
  int bigIconShown_ = 0;
  int smallIconShown_ = 0;
  bool endedSeen_ = false;
};

}  // namespace torvix
