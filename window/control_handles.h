// SPDX-License-Identifier: MIT
// The program's handles on single controls: a slider, an edit, a drop-down list.
//
// A handle is bound to its control by the dialog's data exchange. An unbound handle does
// nothing and answers as an empty control would.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "window/dialog_window.h"

namespace torvix {

class ControlHandle {
 public:
  void Attach(DialogWindow& window, int id) {
    window_ = &window;
    id_ = id;
  }
  void Detach() { window_ = nullptr; }
  bool IsBound() const { return window_ != nullptr; }
  int Id() const { return id_; }

 protected:
  DialogWindow* window_ = nullptr;
  int id_ = kStaticId;
};

class SliderCtrl : public ControlHandle {
 public:
  void SetRangeMin(int minimum, bool redraw = false);
  void SetRangeMax(int maximum, bool redraw = false);
  void SetPos(int position);
  int GetPos() const;
};

class EditCtrl : public ControlHandle {
 public:
  void LimitText(std::size_t limit);
  int LineLength() const;
  int GetLine(char* buffer, std::size_t bufferSize) const;
  void SetWindowText(std::string_view text);
  std::string GetWindowText() const;
};

class ComboBox : public ControlHandle {
 public:
  int GetCurSel() const;
  int SetCurSel(int index);
};

}  // namespace torvix
