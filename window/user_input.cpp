// SPDX-License-Identifier: MIT
// User input on the window layer: what the user does, and the events a real toolkit delivers
// for it.
#include <algorithm>

#include "window/dialog_window.h"
#include "window/utf8_text.h"

namespace torvix {

ControlState* DialogWindow::UserTarget(int id) {
  if (!enabled_ || ended_) return nullptr;
  ControlState* control = FindMutable(id);
  if (control == nullptr || !control->enabled || !control->visible) return nullptr;
  return control;
}

namespace {

// The characters of an edit that stay when its selection is replaced.
std::size_t CharactersKept(const ControlState& edit) {
  const std::string_view text = edit.text;
  const std::size_t start = std::min(edit.selectionStart, text.size());
  const std::size_t end = std::clamp(edit.selectionEnd, start, text.size());
  return Utf8Length(text.substr(0, start)) + Utf8Length(text.substr(end));
}

// Tab skips a radio button, but a click or an arrow key still gives it the focus.
bool TakesFocus(ControlKind kind) { return HasTabStop(kind) || kind == ControlKind::RadioButton; }

}  // namespace

bool DialogWindow::UserFocus(int id) {
  ControlState* control = UserTarget(id);
  if (control == nullptr || !TakesFocus(control->row->kind)) return false;
  focus_ = id;
  return true;
}

bool DialogWindow::UserClick(int id) {
  ControlState* control = UserTarget(id);
  if (control == nullptr) return false;
  if (TakesFocus(control->row->kind)) focus_ = id;
  switch (control->row->kind) {
    case ControlKind::CheckBox:
      control->check = control->check != 0 ? 0 : 1;
      Changed(*control);
      DeliverCommand(id, kBnClicked);
      return true;
    case ControlKind::RadioButton: {
      // The radio group is the run of radio buttons around the clicked one.
      std::size_t first = IndexOf(*control);
      while (first > 0 && controls_[first - 1].row->kind == ControlKind::RadioButton) --first;
      for (std::size_t i = first;
           i < controls_.size() && controls_[i].row->kind == ControlKind::RadioButton; ++i) {
        controls_[i].check = &controls_[i] == control ? 1 : 0;
        Changed(controls_[i]);
      }
      DeliverCommand(id, kBnClicked);
      return true;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: DeliverCommand(id, kBnClicked); return true;
    default: return true;
  }
}

bool DialogWindow::UserSelectText(int id, std::size_t start, std::size_t end) {
  ControlState* edit = UserTarget(id);
  if (edit == nullptr || edit->row->kind != ControlKind::Edit) return false;
  focus_ = id;
  edit->selectionStart = std::min({start, end, edit->text.size()});
  edit->selectionEnd = std::min(std::max(start, end), edit->text.size());
  return true;
}

void DialogWindow::ReplaceEditSelection(ControlState& edit, std::string_view text) {
  const std::size_t start = std::min(edit.selectionStart, edit.text.size());
  const std::size_t end = std::clamp(edit.selectionEnd, start, edit.text.size());
  edit.text.replace(start, end - start, text);
  edit.selectionStart = edit.selectionEnd = start + text.size();
  Changed(edit);
}

// The limit counts characters, and a character is taken whole or not at all.
bool DialogWindow::UserType(int id, std::string_view characters) {
  bool tookAny = false;
  for (std::size_t at = 0; at < characters.size();) {
    const std::string_view character = characters.substr(at, Utf8CharSize(characters.substr(at)));
    at += character.size();
    // A handler may have disabled or hidden the edit after the previous character.
    ControlState* edit = UserTarget(id);
    if (edit == nullptr || edit->row->kind != ControlKind::Edit) return tookAny;
    focus_ = id;
    if (CharactersKept(*edit) + 1 > edit->textLimit) continue;  // the edit beeps
    ReplaceEditSelection(*edit, character);
    tookAny = true;
    DeliverCommand(id, kEnChange);
  }
  return tookAny;
}

bool DialogWindow::UserBackspace(int id) {
  ControlState* edit = UserTarget(id);
  if (edit == nullptr || edit->row->kind != ControlKind::Edit) return false;
  focus_ = id;
  if (edit->selectionStart == edit->selectionEnd) {
    if (edit->selectionStart == 0) return false;
    // The whole character before the caret goes.
    do {
      --edit->selectionStart;
    } while (edit->selectionStart > 0 && IsUtf8Continuation(edit->text[edit->selectionStart]));
  }
  ReplaceEditSelection(*edit, {});
  DeliverCommand(id, kEnChange);
  return true;
}

bool DialogWindow::UserPaste(int id, std::string_view text) {
  ControlState* edit = UserTarget(id);
  if (edit == nullptr || edit->row->kind != ControlKind::Edit) return false;
  focus_ = id;
  const std::size_t kept = CharactersKept(*edit);
  const std::size_t room = edit->textLimit > kept ? edit->textLimit - kept : 0;
  const std::string_view fitting = Utf8Prefix(text, room);
  if (fitting.empty() && edit->selectionStart == edit->selectionEnd) return false;
  ReplaceEditSelection(*edit, fitting);
  DeliverCommand(id, kEnChange);
  return true;
}

bool DialogWindow::UserOpenList(int id) {
  ControlState* list = UserTarget(id);
  if (list == nullptr || list->row->kind != ControlKind::DropDownList || list->dropped) {
    return false;
  }
  focus_ = id;
  list->dropped = true;
  Changed(*list);
  return true;
}

bool DialogWindow::UserChooseItem(int id, int index) {
  ControlState* list = UserTarget(id);
  if (list == nullptr || !list->dropped) return false;
  if (index < 0 || static_cast<std::size_t>(index) >= list->items.size()) return false;
  // The chosen item is the selection before the list reports that it closed.
  list->selection = index;
  list->dropped = false;
  Changed(*list);
  DeliverCommand(id, kCbnCloseUp);
  return true;
}

bool DialogWindow::UserCloseList(int id) {
  ControlState* list = UserTarget(id);
  if (list == nullptr || !list->dropped) return false;
  list->dropped = false;
  Changed(*list);
  DeliverCommand(id, kCbnCloseUp);
  return true;
}

bool DialogWindow::UserArrowOnClosedList(int id, int delta) {
  ControlState* list = UserTarget(id);
  if (list == nullptr || list->row->kind != ControlKind::DropDownList || list->dropped ||
      list->items.empty()) {
    return false;
  }
  focus_ = id;
  const int last = static_cast<int>(list->items.size()) - 1;
  const int from = list->selection == kNoSelection ? (delta > 0 ? -1 : last + 1) : list->selection;
  list->selection = std::clamp(from + delta, 0, last);
  Changed(*list);
  return true;
}

bool DialogWindow::UserDragThumb(int id, int position) {
  ControlState* slider = UserTarget(id);
  if (slider == nullptr || slider->row->kind != ControlKind::Slider) return false;
  focus_ = id;
  MoveThumb(*slider, position);
  Changed(*slider);
  const int released = slider->position;
  DeliverScroll(id, kTbThumbTrack, released);
  DeliverScroll(id, kTbThumbPosition, released);
  DeliverScroll(id, kTbEndTrack, 0);
  return true;
}

bool DialogWindow::UserSliderKey(int id, ScrollCode code) {
  ControlState* slider = UserTarget(id);
  if (slider == nullptr || slider->row->kind != ControlKind::Slider) return false;
  const int page = std::max(1, (slider->rangeMax - slider->rangeMin) / 5);
  int target = slider->position;
  switch (code) {
    case kTbLineUp: target -= 1; break;
    case kTbLineDown: target += 1; break;
    case kTbPageUp: target -= page; break;
    case kTbPageDown: target += page; break;
    case kTbTop: target = slider->rangeMin; break;
    case kTbBottom: target = slider->rangeMax; break;
    default: return false;
  }
  focus_ = id;
  MoveThumb(*slider, target);
  Changed(*slider);
  DeliverScroll(id, code, 0);
  DeliverScroll(id, kTbEndTrack, 0);
  return true;
}

bool DialogWindow::UserEnter() {
  if (!enabled_ || ended_) return false;
  const ControlState* focused = Find(focus_);
  if (focused != nullptr && focused->row->kind == ControlKind::PushButton && focused->visible &&
      focused->enabled) {
    DeliverCommand(focus_, kBnClicked);
    return true;
  }
  // Otherwise the dialog's default button, hidden or not, unless it is disabled.
  int defaultId = kIdOk;
  for (const ControlState& control : controls_) {
    if (control.row->kind == ControlKind::DefaultPushButton) {
      if (!control.enabled) return false;
      defaultId = control.row->id;
      break;
    }
  }
  DeliverCommand(defaultId, kBnClicked);
  return true;
}

bool DialogWindow::UserEscape() {
  if (!enabled_ || ended_) return false;
  const ControlState* cancel = Find(kIdCancel);
  if (cancel != nullptr && !cancel->enabled) return false;
  DeliverCommand(kIdCancel, kBnClicked);
  return true;
}

bool DialogWindow::UserTab(bool backwards) {
  if (!enabled_ || ended_ || controls_.empty()) return false;
  const std::size_t count = controls_.size();
  std::size_t current = count - 1;
  if (const ControlState* focused = Find(focus_)) current = IndexOf(*focused);
  if (backwards && focus_ == kStaticId) current = 0;
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t index =
        backwards ? (current + count - step) % count : (current + step) % count;
    const ControlState& candidate = controls_[index];
    if (candidate.visible && candidate.enabled && HasTabStop(candidate.row->kind)) {
      focus_ = candidate.row->id;
      return true;
    }
  }
  return false;
}

bool DialogWindow::UserCloseBox() { return UserSystemCommand(kScClose, 0); }

bool DialogWindow::UserSystemCommand(unsigned command, long parameter) {
  if (!enabled_ || ended_) return false;
  WindowEvent event{WindowMessage::SysCommand};
  event.command = command;
  event.parameter = parameter;
  Deliver(event);
  return true;
}

bool DialogWindow::UserMinimize() {
  if (!UserSystemCommand(kScMinimize, 0)) return false;
  Paint();
  return true;
}

bool DialogWindow::UserRestore() {
  if (!UserSystemCommand(kScRestore, 0)) return false;
  Paint();
  return true;
}

int DialogWindow::UserDragMinimized() {
  if (!iconic_) return 0;
  return Deliver(WindowEvent{WindowMessage::QueryDragIcon});
}

void DialogWindow::Paint() { Deliver(WindowEvent{WindowMessage::Paint}); }

}  // namespace torvix
