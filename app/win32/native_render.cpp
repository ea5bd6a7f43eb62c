// SPDX-License-Identifier: MIT
// The window layer's state set into the native controls and the dialog window. Notifications
// are held back meanwhile, so that setting a control never reads as user input.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/win32/native_dialog_view.h"
#include "app/win32/wide_text.h"

namespace torvix {

namespace {

constexpr unsigned kFirstPlatformCommand = 0xF000;
constexpr int kSmallIconPixels = 16;

class HeldNotifications {
 public:
  explicit HeldNotifications(int& holding) : holding_(holding) { ++holding_; }
  ~HeldNotifications() { --holding_; }
  HeldNotifications(const HeldNotifications&) = delete;
  HeldNotifications& operator=(const HeldNotifications&) = delete;

 private:
  int& holding_;
};

}  // namespace

void NativeDialogView::Render(std::size_t index) {
  const ControlState& state = window_.ControlAt(index);
  HWND control = controls_[index];
  const HeldNotifications held(holding_);
  switch (state.row->kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
    case ControlKind::GroupBox:
    case ControlKind::Text: RenderText(control, state.text); break;
    case ControlKind::CheckBox:
      RenderText(control, state.text);
      ::SendMessageW(control, BM_SETCHECK, state.check != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::RadioButton:
      RenderText(control, state.text);
      ::SendMessageW(control, BM_SETCHECK, state.check != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      // A radio button that is checked, by a click or by the line above, gives itself a tab
      // stop; the layer's rule is that Tab never reaches one.
      ::SetWindowLongPtrW(control, GWL_STYLE,
                          ::GetWindowLongPtrW(control, GWL_STYLE) & ~LONG_PTR{WS_TABSTOP});
      break;
    case ControlKind::Slider:
      ::SendMessageW(control, TBM_SETRANGEMIN, FALSE, state.rangeMin);
      ::SendMessageW(control, TBM_SETRANGEMAX, FALSE, std::max(state.rangeMin, state.rangeMax));
      ::SendMessageW(control, TBM_SETPAGESIZE, 0,
                     std::max(1, (state.rangeMax - state.rangeMin) / 5));
      ::SendMessageW(control, TBM_SETPOS, TRUE, state.position);
      break;
    case ControlKind::Edit:
      ::SendMessageW(control, EM_LIMITTEXT, state.textLimit, 0);
      RenderText(control, state.text);
      break;
    case ControlKind::DropDownList: RenderList(control, state); break;
    default: break;
  }
  RenderTip(index);
  // The layer's rule: a focused control that is disabled or hidden hands the focus to no other
  // control; the dialog holds it, so Enter goes to the default button and Space to nothing.
  if (!state.enabled || !state.visible) {
    HWND focused = ::GetFocus();
    if (focused != nullptr && (focused == control || ::IsChild(control, focused))) {
      GiveFocusToDialog();
    }
  }
  if ((::IsWindowEnabled(control) != FALSE) != state.enabled) {
    ::EnableWindow(control, state.enabled ? TRUE : FALSE);
  }
  if (HasVisibleStyle(control) != state.visible) {
    ::ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
  }
}

void NativeDialogView::RenderText(HWND control, const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  if (NativeText(control) != wide) ::SetWindowTextW(control, wide.c_str());
}

void NativeDialogView::RenderList(HWND list, const ControlState& state) {
  const auto count = static_cast<std::size_t>(::SendMessageW(list, CB_GETCOUNT, 0, 0));
  if (count != state.items.size()) {
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : state.items) {
      const std::wstring wide = WideFromUtf8(item);
      ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
  }
  if (::SendMessageW(list, CB_GETCURSEL, 0, 0) != state.selection) {
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(state.selection), 0);
  }
}

// The caret where the layer has it, also when the layer refused what was typed.
void NativeDialogView::RenderCaret(std::size_t index) {
  const ControlState& state = window_.ControlAt(index);
  const auto unitsBefore = [&state](std::size_t bytes) {
    return static_cast<LPARAM>(WideFromUtf8(std::string_view(state.text).substr(0, bytes)).size());
  };
  ::SendMessageW(controls_[index], EM_SETSEL,
                 static_cast<WPARAM>(unitsBefore(state.selectionStart)),
                 unitsBefore(state.selectionEnd));
}

// A tip shows while the pointer rests on its control; the tooltip window watches the control.
void NativeDialogView::RenderTip(std::size_t index) {
  const std::string& tip = window_.ControlAt(index).tip;
  if (tips_ == nullptr || tip == tipsShown_[index]) return;
  std::wstring text = WideFromUtf8(tip);
  TOOLINFOW tool{};
  // The size every version of the common controls takes.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(controls_[index]);
  tool.lpszText = text.data();
  if (tipsShown_[index].empty()) {
    ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (tip.empty()) {
    ::SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    ::SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  tipsShown_[index] = tip;
}

void NativeDialogView::GiveFocusToDialog() {
  dialogHoldsFocus_ = true;
  ::SetFocus(dialog_);
}

// The dialog's own entries, after the platform's: the layer's menu starts with those.
void NativeDialogView::AppendSystemMenuEntries() {
  const std::vector<MenuItem>& items = window_.SystemMenu();
  if (menuEntriesShown_ >= items.size()) return;
  HMENU menu = ::GetSystemMenu(dialog_, FALSE);
  if (menu == nullptr) return;
  for (; menuEntriesShown_ < items.size(); ++menuEntriesShown_) {
    const MenuItem& item = items[menuEntriesShown_];
    if (item.separator) {
      ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (item.command < kFirstPlatformCommand) {
      ::AppendMenuA(menu, MF_STRING, item.command, item.text.c_str());
    }
  }
}

void NativeDialogView::RenderIcons() {
  if (window_.Icon(true) != bigIconShown_) {
    bigIconShown_ = window_.Icon(true);
    HICON big = ::LoadIconW(instance_, MAKEINTRESOURCEW(bigIconShown_));
    ::SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (window_.Icon(false) != smallIconShown_) {
    smallIconShown_ = window_.Icon(false);
    HANDLE small = ::LoadImageW(instance_, MAKEINTRESOURCEW(smallIconShown_), IMAGE_ICON,
                                kSmallIconPixels, kSmallIconPixels, LR_SHARED);
    ::SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

}  // namespace torvix
