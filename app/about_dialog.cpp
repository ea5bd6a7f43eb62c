// SPDX-License-Identifier: MIT
#include "app/about_dialog.h"

#include "app/resources/dialog_templates.h"

namespace torvix {

CAboutDlg::CAboutDlg(MessageHost& messages) : Dialog(AboutDialogTemplate(), messages) {}

void CAboutDlg::DoDataExchange(DataExchange& exchange) { Dialog::DoDataExchange(exchange); }

}  // namespace torvix
