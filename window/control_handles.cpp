// SPDX-License-Identifier: MIT
#include "window/control_handles.h"

namespace torvix {

void SliderCtrl::SetRangeMin(int minimum, bool redraw) {
  if (window_ != nullptr) window_->SetRangeMin(id_, minimum, redraw);
}

void SliderCtrl::SetRangeMax(int maximum, bool redraw) {
  if (window_ != nullptr) window_->SetRangeMax(id_, maximum, redraw);
}

void SliderCtrl::SetPos(int position) {
  if (window_ != nullptr) window_->SetPos(id_, position);
}

int SliderCtrl::GetPos() const { return window_ != nullptr ? window_->GetPos(id_) : 0; }

void EditCtrl::LimitText(std::size_t limit) {
  if (window_ != nullptr) window_->LimitText(id_, limit);
}

int EditCtrl::LineLength() const { return window_ != nullptr ? window_->LineLength(id_) : 0; }

int EditCtrl::GetLine(char* buffer, std::size_t bufferSize) const {
  return window_ != nullptr ? window_->GetLine(id_, buffer, bufferSize) : 0;
}

void EditCtrl::SetWindowText(std::string_view text) {
  if (window_ != nullptr) window_->SetWindowText(id_, text);
}

std::string EditCtrl::GetWindowText() const {
  return window_ != nullptr ? window_->GetWindowText(id_) : std::string();
}

int ComboBox::GetCurSel() const {
  return window_ != nullptr ? window_->GetCurSel(id_) : kNoSelection;
}

int ComboBox::SetCurSel(int index) {
  return window_ != nullptr ? window_->SetCurSel(id_, index) : kNoSelection;
}

}  // namespace torvix
