// SPDX-License-Identifier: MIT
// The About box (template IDD_ABOUTBOX): the program icon, the name and version, and OK.
#pragma once

#include "window/dialog.h"

namespace torvix {

class CAboutDlg : public Dialog {
 public:
  explicit CAboutDlg(MessageHost& messages);

 protected:
  // No bindings: the box shows only its template.
  void DoDataExchange(DataExchange& exchange) override;
};

}  // namespace torvix
