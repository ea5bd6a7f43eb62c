// SPDX-License-Identifier: MIT
// What the user does to the native controls, as the window layer's user input. Each handler
// renders its control afterwards, so where the layer refused (a full edit, a disabled window)
// the native control shows what the layer has.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <optional>
#include <string>

#include "app/win32/native_dialog_view.h"
#include "app/win32/wide_text.h"
#include "window/edit_change.h"

namespace torvix {

namespace {

bool isButton(ControlKind kind) {
  return kind == ControlKind::DefaultPushButton || kind == ControlKind::PushButton ||
         kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

}  // namespace

void NativeDialogView::Command(int id, int code, HWND control) {
  const std::optional<std::size_t> index = control != nullptr ? IndexOf(control) : std::nullopt;
  // Enter and Esc reach the dialog as IDOK and IDCANCEL from no control, or from the hidden
  // default button.
  if (!index || (isButton(window_.ControlAt(*index).row->kind) && !HasVisibleStyle(control))) {
    KeyboardCommand(id);
    return;
  }
  switch (window_.ControlAt(*index).row->kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      if (code != BN_CLICKED) return;
      window_.UserClick(id);
      Render(*index);
      return;
    case ControlKind::Edit:
      if (code == EN_CHANGE) Edited(*index);
      return;
    case ControlKind::DropDownList: ListNotified(*index, code); return;
    default: return;
  }
}

void NativeDialogView::KeyboardCommand(int id) {
  if (id == IDCANCEL) {
    window_.UserEscape();
    return;
  }
  if (id != IDOK) return;
  // The platform pressed the focused push button itself; anywhere else the layer decides, so
  // it must know where the focus is.
  if (const std::optional<std::size_t> focused = IndexOf(::GetFocus())) {
    window_.UserFocus(IdAt(*focused));
  }
  window_.UserEnter();
}

// A released thumb is the layer's drag; keyboard, wheel and channel steps are its steps. The
// tracking and end-of-tracking codes are the layer's to send.
void NativeDialogView::Scroll(HWND control, int code) {
  const std::optional<std::size_t> index = IndexOf(control);
  if (!index || window_.ControlAt(*index).row->kind != ControlKind::Slider) return;
  switch (code) {
    case TB_THUMBTRACK:
    case TB_ENDTRACK: return;
    case TB_THUMBPOSITION:
      window_.UserDragThumb(IdAt(*index),
                            static_cast<int>(::SendMessageW(control, TBM_GETPOS, 0, 0)));
      break;
    case TB_LINEUP:
    case TB_LINEDOWN:
    case TB_PAGEUP:
    case TB_PAGEDOWN:
    case TB_TOP:
    case TB_BOTTOM: window_.UserSliderKey(IdAt(*index), static_cast<ScrollCode>(code)); break;
    default: break;
  }
  Render(*index);
}

void NativeDialogView::Edited(std::size_t index) {
  UserEditedText(window_, IdAt(index), Utf8FromWide(NativeText(controls_[index])));
  Render(index);
  RenderCaret(index);
}

// The layer hears of a list's close-up once the closing choice is its selection; a selection
// moved on the closed list is a silent arrow step.
void NativeDialogView::ListNotified(std::size_t index, int code) {
  const int id = IdAt(index);
  const ControlState& state = window_.ControlAt(index);
  switch (code) {
    case CBN_DROPDOWN: window_.UserOpenList(id); break;
    case CBN_CLOSEUP: {
      if (!state.dropped) window_.UserOpenList(id);
      const int chosen = static_cast<int>(::SendMessageW(controls_[index], CB_GETCURSEL, 0, 0));
      if (chosen != CB_ERR && chosen != state.selection) {
        window_.UserChooseItem(id, chosen);
      } else {
        window_.UserCloseList(id);
      }
      break;
    }
    case CBN_SELCHANGE: {
      if (state.dropped) return;  // the close-up decides
      const int moved = static_cast<int>(::SendMessageW(controls_[index], CB_GETCURSEL, 0, 0));
      if (moved == CB_ERR) break;
      // From no selection the first step lands on the item before or after the ends.
      const int delta = state.selection == kNoSelection ? moved + 1 : moved - state.selection;
      if (delta != 0) window_.UserArrowOnClosedList(id, delta);
      break;
    }
    default: return;
  }
  Render(index);
}

void NativeDialogView::FocusLeftDialog(HWND now) {
  const std::optional<std::size_t> index = now != nullptr ? IndexOf(now) : std::nullopt;
  if (!index) return;  // another window, or none: the dialog keeps its claim for its return
  dialogHoldsFocus_ = false;
  window_.UserFocus(IdAt(*index));
}

// Minimised, the dialog paints what its paint handler draws on the layer: the icon, centred.
void NativeDialogView::PaintMinimised() {
  PAINTSTRUCT paint;
  HDC context = ::BeginPaint(dialog_, &paint);
  RECT client;
  ::GetClientRect(dialog_, &client);
  window_.SetClientSize(client.right - client.left, client.bottom - client.top);
  const int erasesBefore = window_.IconBackgroundErases();
  const std::size_t drawnBefore = window_.DrawnIcons().size();
  window_.Paint();
  for (int erase = erasesBefore; erase < window_.IconBackgroundErases(); ++erase) {
    ::SendMessageW(dialog_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
  }
  for (std::size_t drawn = drawnBefore; drawn < window_.DrawnIcons().size(); ++drawn) {
    const DialogWindow::DrawnIcon icon = window_.DrawnIcons()[drawn];
    ::DrawIcon(context, icon.x, icon.y, ::LoadIconW(instance_, MAKEINTRESOURCEW(icon.iconId)));
  }
  ::EndPaint(dialog_, &paint);
}

}  // namespace torvix
