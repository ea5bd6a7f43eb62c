// SPDX-License-Identifier: MIT
#include "window/dialog_window.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "window/mul_div.h"

namespace torvix {
namespace {

// Dialog units to pixels for "MS Shell Dlg" 8 pt: an average character of 6 x 13 pixels.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// The entries every dialog with a system menu starts with.
std::vector<MenuItem> StandardSystemMenu() {
  return {{false, 0xF010, "&Move"}, {false, kScClose, "&Close\tAlt+F4"}};
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialogTemplate, MessageHost& messages)
    : template_(dialogTemplate), messages_(messages) {
  controls_.reserve(dialogTemplate.controls.size());
  for (const ControlTemplate& row : dialogTemplate.controls) {
    ControlState control;
    control.row = &row;
    control.visible = row.shown;
    if (row.kind != ControlKind::Edit) control.text = row.caption;
    if (row.kind == ControlKind::DropDownList) {
      control.items.assign(row.items.begin(), row.items.end());
    }
    controls_.push_back(std::move(control));
  }
  if (dialogTemplate.systemMenu) systemMenu_ = StandardSystemMenu();
  clientWidth_ = MulDiv(dialogTemplate.width, kBaseUnitX, 4);
  clientHeight_ = MulDiv(dialogTemplate.height, kBaseUnitY, 8);
}

void DialogWindow::SetEventObserver(std::function<void(const WindowEvent&)> observer) {
  observer_ = std::move(observer);
}

const ControlState* DialogWindow::Find(int id) const {
  if (id == kStaticId) return nullptr;
  for (const ControlState& control : controls_) {
    if (control.row->id == id) return &control;
  }
  return nullptr;
}

ControlState* DialogWindow::FindMutable(int id) {
  return const_cast<ControlState*>(std::as_const(*this).Find(id));
}

ControlState* DialogWindow::Editable(int id, ControlKind kind) {
  ControlState* control = FindMutable(id);
  if (control == nullptr) return nullptr;
  ControlKind actual = control->row->kind;
  if (actual == ControlKind::DefaultPushButton) actual = ControlKind::PushButton;
  if (kind == ControlKind::CheckBox &&
      (actual == ControlKind::CheckBox || actual == ControlKind::RadioButton)) {
    return control;
  }
  return actual == kind ? control : nullptr;
}

std::size_t DialogWindow::IndexOf(const ControlState& control) const {
  return static_cast<std::size_t>(&control - controls_.data());
}

void DialogWindow::Changed(const ControlState& control) {
  if (listener_ != nullptr) listener_->ControlChanged(IndexOf(control));
}

void DialogWindow::WindowStateChanged() {
  if (listener_ != nullptr) listener_->WindowChanged();
}

int DialogWindow::Deliver(const WindowEvent& event) {
  // The toolkit passes no notifications to the dialog while its data exchange runs.
  if (InExchange() || procedure_ == nullptr) return 0;
  if (observer_) observer_(event);
  return procedure_->HandleWindowEvent(event);
}

void DialogWindow::DeliverCommand(int id, int code) {
  WindowEvent event{WindowMessage::Command};
  event.controlId = id;
  event.code = code;
  Deliver(event);
}

void DialogWindow::DeliverScroll(int id, int code, int position) {
  WindowEvent event{WindowMessage::HScroll};
  event.controlId = id;
  event.code = code;
  event.position = position;
  Deliver(event);
}

int DialogWindow::MessageBox(const char* text, unsigned type) {
  return messages_.Show(text != nullptr ? text : "", type);
}

int DialogWindow::IsDlgButtonChecked(int id) const {
  const ControlState* control = Find(id);
  return control != nullptr ? control->check : 0;
}

void DialogWindow::SetCheck(int id, int state) {
  ControlState* button = Editable(id, ControlKind::CheckBox);
  if (button == nullptr) return;
  button->check = state != 0 ? 1 : 0;
  Changed(*button);
}

int DialogWindow::GetCurSel(int id) const {
  const ControlState* control = Find(id);
  return control != nullptr ? control->selection : kNoSelection;
}

int DialogWindow::SetCurSel(int id, int index) {
  ControlState* list = Editable(id, ControlKind::DropDownList);
  if (list == nullptr) return kNoSelection;
  const bool inRange = index >= 0 && static_cast<std::size_t>(index) < list->items.size();
  list->selection = inRange ? index : kNoSelection;
  Changed(*list);
  return list->selection;
}

void DialogWindow::MoveThumb(ControlState& slider, int position) {
  slider.position =
      std::clamp(position, slider.rangeMin, std::max(slider.rangeMin, slider.rangeMax));
}

// Without a redraw the toolkit leaves the old picture; a view still has to learn the range, or
// it would let the user drag the thumb where the model cannot follow.
void DialogWindow::RangeChanged(const ControlState& slider, bool /*redraw*/) { Changed(slider); }

void DialogWindow::SetRangeMin(int id, int minimum, bool redraw) {
  ControlState* slider = Editable(id, ControlKind::Slider);
  if (slider == nullptr) return;
  slider->rangeMin = minimum;
  MoveThumb(*slider, slider->position);
  RangeChanged(*slider, redraw);
}

void DialogWindow::SetRangeMax(int id, int maximum, bool redraw) {
  ControlState* slider = Editable(id, ControlKind::Slider);
  if (slider == nullptr) return;
  slider->rangeMax = maximum;
  MoveThumb(*slider, slider->position);
  RangeChanged(*slider, redraw);
}

void DialogWindow::SetPos(int id, int position) {
  ControlState* slider = Editable(id, ControlKind::Slider);
  if (slider == nullptr) return;
  MoveThumb(*slider, position);
  Changed(*slider);
}

int DialogWindow::GetPos(int id) const {
  const ControlState* control = Find(id);
  return control != nullptr ? control->position : 0;
}

void DialogWindow::LimitText(int id, std::size_t limit) {
  ControlState* edit = Editable(id, ControlKind::Edit);
  if (edit == nullptr) return;
  edit->textLimit = limit == 0 ? kDefaultEditLimit : limit;
  Changed(*edit);
}

int DialogWindow::LineLength(int id) const {
  const ControlState* control = Find(id);
  if (control == nullptr || control->row->kind != ControlKind::Edit) return 0;
  return static_cast<int>(control->text.size());
}

int DialogWindow::GetLine(int id, char* buffer, std::size_t bufferSize) const {
  const ControlState* control = Find(id);
  if (control == nullptr || control->row->kind != ControlKind::Edit) return 0;
  if (buffer == nullptr || bufferSize < sizeof(std::uint16_t)) return 0;
  const auto low = static_cast<unsigned char>(buffer[0]);
  const auto high = static_cast<unsigned char>(buffer[1]);
  const std::size_t asked = static_cast<std::size_t>(low | (high << 8));
  const std::size_t count = std::min({asked, bufferSize, control->text.size()});
  std::copy_n(control->text.data(), count, buffer);
  return static_cast<int>(count);
}

void DialogWindow::SetWindowText(int id, std::string_view text) {
  ControlState* control = FindMutable(id);
  if (control == nullptr) return;
  control->text.assign(text);
  control->selectionStart = control->selectionEnd = control->text.size();
  Changed(*control);
  if (control->row->kind == ControlKind::Edit) DeliverCommand(id, kEnChange);
}

std::string DialogWindow::GetWindowText(int id) const {
  const ControlState* control = Find(id);
  return control != nullptr ? control->text : std::string();
}

bool DialogWindow::EnableWindow(int id, bool enable) {
  ControlState* control = FindMutable(id);
  if (control == nullptr) return false;
  const bool wasDisabled = !control->enabled;
  control->enabled = enable;
  if (!enable && focus_ == id) focus_ = kStaticId;
  Changed(*control);
  return wasDisabled;
}

bool DialogWindow::ShowWindow(int id, int command) {
  ControlState* control = FindMutable(id);
  if (control == nullptr) return false;
  const bool wasVisible = control->visible;
  control->visible = command != kHideCommand;
  if (!control->visible && focus_ == id) focus_ = kStaticId;
  Changed(*control);
  return wasVisible;
}

void DialogWindow::SetToolTip(int id, std::string_view text) {
  ControlState* control = FindMutable(id);
  if (control == nullptr) return;
  control->tip.assign(text);
  Changed(*control);
}

void DialogWindow::EnableDialog(bool enable) {
  enabled_ = enable;
  WindowStateChanged();
}

void DialogWindow::SetIcon(int iconId, bool big) {
  (big ? bigIcon_ : smallIcon_) = iconId;
  WindowStateChanged();
}

std::vector<MenuItem>* DialogWindow::GetSystemMenu() {
  return template_.systemMenu ? &systemMenu_ : nullptr;
}

void DialogWindow::AppendSystemMenuItem(std::vector<MenuItem>& menu, MenuItem item) {
  menu.push_back(std::move(item));
  WindowStateChanged();
}

void DialogWindow::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  WindowStateChanged();
}

void DialogWindow::DrawIcon(int x, int y, int iconId) { drawnIcons_.push_back({x, y, iconId}); }

void DialogWindow::DefaultSysCommand(unsigned command) {
  switch (command & kSystemCommandMask) {
    case kScClose: DeliverCommand(kIdCancel, kBnClicked); break;
    case kScMinimize:
      iconic_ = true;
      WindowStateChanged();
      break;
    case kScRestore:
      iconic_ = false;
      WindowStateChanged();
      break;
    default: break;
  }
}

void DialogWindow::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  WindowStateChanged();
}

void DialogWindow::FocusFirstTabStop() {
  for (const ControlState& control : controls_) {
    if (control.visible && control.enabled && HasTabStop(control.row->kind)) {
      focus_ = control.row->id;
      return;
    }
  }
  focus_ = kStaticId;
}

}  // namespace torvix
