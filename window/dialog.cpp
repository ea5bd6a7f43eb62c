// SPDX-License-Identifier: MIT
#include "window/dialog.h"

namespace torvix {

Dialog::Dialog(const DialogTemplate& dialogTemplate, MessageHost& messages)
    : window_(dialogTemplate, messages) {}

int Dialog::DoModal(ModalHost& host) {
  host_ = &host;
  window_.SetProcedure(this);
  if (OnInitDialog()) window_.FocusFirstTabStop();
  if (!window_.Ended()) host.RunModal(window_);
  window_.SetProcedure(nullptr);
  host_ = nullptr;
  return window_.Ended() ? window_.Result() : kModalFailed;
}

bool Dialog::UpdateData(bool save) {
  DialogWindow::ExchangeScope scope(window_);
  DataExchange exchange(window_, save);
  DoDataExchange(exchange);
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::OnInitDialog() {
  // The first exchange binds the control members and loads the members' initial values.
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  UpdateData(true);
  window_.EndDialog(kIdOk);
}

void Dialog::OnCancel() { window_.EndDialog(kIdCancel); }

int Dialog::HandleWindowEvent(const WindowEvent& event) { return Default(event); }

int Dialog::Default(const WindowEvent& event) {
  switch (event.message) {
    case WindowMessage::Command:
      if (event.code != kBnClicked) return 0;
      if (event.controlId == kIdOk) OnOK();
      if (event.controlId == kIdCancel) OnCancel();
      return 0;
    case WindowMessage::SysCommand: window_.DefaultSysCommand(event.command); return 0;
    case WindowMessage::Paint: window_.DefaultPaint(); return 0;
    default: return 0;
  }
}

}  // namespace torvix
