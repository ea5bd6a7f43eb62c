// SPDX-License-Identifier: MIT
#include "window/data_exchange.h"

namespace torvix {

void DDX_Control(DataExchange& exchange, int id, ControlHandle& control) {
  if (exchange.Window().Find(id) != nullptr) control.Attach(exchange.Window(), id);
}

void DDX_Text(DataExchange& exchange, int id, std::string& value) {
  DialogWindow& window = exchange.Window();
  if (window.Find(id) == nullptr) return;
  if (exchange.Saving()) {
    value = window.GetWindowText(id);
  } else if (window.GetWindowText(id) != value) {
    window.SetWindowText(id, value);
  }
}

void DDX_Check(DataExchange& exchange, int id, int& value) {
  DialogWindow& window = exchange.Window();
  if (window.Find(id) == nullptr) return;
  if (exchange.Saving()) {
    value = window.IsDlgButtonChecked(id);
  } else {
    window.SetCheck(id, value);
  }
}

}  // namespace torvix
