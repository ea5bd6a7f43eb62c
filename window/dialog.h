// SPDX-License-Identifier: MIT
// What every dialog of the program shares: its window on a template, the data exchange, the
// modal run and the default OK / Cancel / system-command handling.
#pragma once

#include "messages/message_host.h"
#include "window/data_exchange.h"
#include "window/dialog_window.h"
#include "window/modal_host.h"

namespace torvix {

inline constexpr int kModalFailed = -1;

class Dialog : public WindowProcedure {
 public:
  Dialog(const DialogTemplate& dialogTemplate, MessageHost& messages);
  ~Dialog() override = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Initialises the window, hands it to the host's loop, and returns the ending result
  // (kIdCancel after a normal close, kModalFailed when the host let go of an open window).
  int DoModal(ModalHost& host);

  // TRUE (save): controls into members; FALSE: members into controls. No event reaches a
  // handler while it runs.
  bool UpdateData(bool save);

  DialogWindow& Window() { return window_; }
  const DialogWindow& Window() const { return window_; }

  int HandleWindowEvent(const WindowEvent& event) override;

 protected:
  virtual void DoDataExchange(DataExchange& exchange);
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // The toolkit's own handling of an event the dialog does not route.
  int Default(const WindowEvent& event);
  ModalHost* Host() { return host_; }

  DialogWindow window_;

 private:
  ModalHost* host_ = nullptr;
};

}  // namespace torvix
