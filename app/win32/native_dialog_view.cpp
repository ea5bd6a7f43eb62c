// SPDX-License-Identifier: MIT
#include "app/win32/native_dialog_view.h"

// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include "app/win32/dialog_template_bytes.h"

namespace torvix {

NativeDialogView::NativeDialogView(DialogWindow& window, HINSTANCE instance)
    : window_(window), instance_(instance) {}

NativeDialogView::~NativeDialogView() { window_.SetListener(nullptr); }

bool NativeDialogView::HasVisibleStyle(HWND control) {
  return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void NativeDialogView::Run(HWND owner) {
  const std::vector<std::uint16_t> words = BuildDialogTemplate(window_.Template());
  ::DialogBoxIndirectParamW(instance_, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner,
                            &NativeDialogView::DialogProc, reinterpret_cast<LPARAM>(this));
  window_.SetListener(nullptr);
  dialog_ = nullptr;
}

INT_PTR CALLBACK NativeDialogView::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* view = reinterpret_cast<NativeDialogView*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    // The focus has been set here: the dialog manager must not move it.
    if (!view->Initialise(dialog)) ::EndDialog(dialog, -1);
    return FALSE;
  }
  auto* view = reinterpret_cast<NativeDialogView*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (view == nullptr || view->dialog_ != dialog) return FALSE;
  return view->OnMessage(message, wParam, lParam);
}

// The dialog manager creates the controls in template order, and each new child goes below the
// ones before it, so the child list is the template.
bool NativeDialogView::Initialise(HWND dialog) {
  dialog_ = dialog;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    controls_.push_back(child);
  }
  if (controls_.size() != window_.ControlCount()) return false;
  tipsShown_.resize(controls_.size());
  tips_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance_,
                            nullptr);
  window_.SetListener(this);
  for (std::size_t index = 0; index < controls_.size(); ++index) Render(index);
  WindowChanged();
  const ControlState* focused = window_.Find(window_.Focus());
  if (focused != nullptr) {
    ::SetFocus(controls_[static_cast<std::size_t>(focused - &window_.ControlAt(0))]);
  } else {
    GiveFocusToDialog();
  }
  return true;
}

INT_PTR NativeDialogView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (holding_ == 0) {
        Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return TRUE;
    case WM_HSCROLL:
      if (holding_ == 0) Scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND: {
      const auto command = static_cast<unsigned>(wParam);
      // The dialog's own entries and Close go to the layer; moving, minimising and restoring
      // stay the platform's, and the layer hears of their outcome (WM_SIZE).
      const unsigned masked = command & kSystemCommandMask;
      if (masked >= 0xF000 && masked != kScClose) return FALSE;
      window_.UserSystemCommand(command, static_cast<long>(lParam));
      return TRUE;
    }
    case WM_CLOSE: window_.UserCloseBox(); return TRUE;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED && !window_.IsIconic()) window_.UserMinimize();
      if (wParam == SIZE_RESTORED && window_.IsIconic()) window_.UserRestore();
      return FALSE;
    case WM_PAINT:
      if (!::IsIconic(dialog_)) return FALSE;
      PaintMinimised();
      return TRUE;
    case WM_QUERYDRAGICON: {
      const int icon = window_.UserDragMinimized();
      if (icon == 0) return FALSE;
      return reinterpret_cast<INT_PTR>(::LoadIconW(instance_, MAKEINTRESOURCEW(icon)));
    }
    case WM_SETFOCUS:
      // With no control focused the dialog keeps the focus: the platform would hand it back
      // to the control that had it, though that one is disabled or hidden now.
      return dialogHoldsFocus_ ? TRUE : FALSE;
    case WM_KILLFOCUS: FocusLeftDialog(reinterpret_cast<HWND>(wParam)); return FALSE;
    default: return FALSE;
  }
}

std::optional<std::size_t> NativeDialogView::IndexOf(HWND control) const {
  for (std::size_t index = 0; index < controls_.size(); ++index) {
    if (controls_[index] == control || ::IsChild(controls_[index], control)) return index;
  }
  return std::nullopt;
}

void NativeDialogView::ControlChanged(std::size_t index) {
  if (dialog_ != nullptr && index < controls_.size()) Render(index);
}

void NativeDialogView::WindowChanged() {
  if (dialog_ == nullptr) return;
  RenderIcons();
  AppendSystemMenuEntries();
  const bool enabled = window_.IsWindowEnabled();
  if ((::IsWindowEnabled(dialog_) != FALSE) != enabled) {
    ::EnableWindow(dialog_, enabled ? TRUE : FALSE);
    // A nested modal window that ended while this one was disabled left no window active.
    if (enabled) ::SetForegroundWindow(dialog_);
  }
  if (window_.Ended() && !endedSeen_) {
    endedSeen_ = true;
    ::EndDialog(dialog_, window_.Result());
  }
}

}  // namespace torvix
