// SPDX-License-Identifier: MIT
#include "app/application.h"

#include "app/main_dialog.h"

namespace torvix {

CMyTorvix_ControllerApp theApp;

void CMyTorvix_ControllerApp::SetPlatform(BridgeApi& bridge, MessageHost& messages,
                                          ModalHost& modal) {
  bridge_ = &bridge;
  messages_ = &messages;
  modal_ = &modal;
}

bool CMyTorvix_ControllerApp::InitInstance() {
  if (bridge_ == nullptr || messages_ == nullptr || modal_ == nullptr) return false;
  // The common controls, the base start-up and the control container need nothing here:
  // the window layer has every control class built in.
  registryKey_ = kProfileKey;  // kept for form; nothing reads or writes the profile

  CMyTorvix_ControllerDlg dialog(*bridge_, *messages_);
  m_pMainWnd = &dialog;
  lastModalResult_ = dialog.DoModal(*modal_);
  m_pMainWnd = nullptr;
  return false;
}

int RunTorvixController(BridgeApi& bridge, MessageHost& messages, ModalHost& modal) {
  theApp.SetPlatform(bridge, messages, modal);
  theApp.InitInstance();
  return 0;
}

}  // namespace torvix
