// SPDX-License-Identifier: MIT
// The application object: the program's start, its main dialog, its end.
//
// The platform it runs on (the bridge to the camera, where message boxes go, where a modal
// dialog runs its loop) is handed in before InitInstance, so the same start-up runs under
// the Qt view, on the virtual camera in the tests, and on a real adapter board.
#pragma once

#include <string>

#include "camera/bridge_api.h"
#include "messages/message_host.h"
#include "window/modal_host.h"

namespace torvix {

class CMyTorvix_ControllerDlg;

inline constexpr const char* kApplicationName = "Torvix_Controller";
inline constexpr const char* kProfileKey = "Local AppWizard-Generated Applications";

class CMyTorvix_ControllerApp {
 public:
  CMyTorvix_ControllerApp() = default;
  virtual ~CMyTorvix_ControllerApp() = default;
  CMyTorvix_ControllerApp(const CMyTorvix_ControllerApp&) = delete;
  CMyTorvix_ControllerApp& operator=(const CMyTorvix_ControllerApp&) = delete;

  void SetPlatform(BridgeApi& bridge, MessageHost& messages, ModalHost& modal);

  // Runs the main dialog modally and returns false, so that no message loop follows.
  // Without a platform it returns false at once.
  virtual bool InitInstance();

  const char* m_pszAppName = kApplicationName;
  const std::string& RegistryKey() const { return registryKey_; }
  // The main dialog while it runs, else nullptr.
  CMyTorvix_ControllerDlg* m_pMainWnd = nullptr;
  // What the last modal run of the main dialog ended with.
  int LastModalResult() const { return lastModalResult_; }

 private:
  BridgeApi* bridge_ = nullptr;
  MessageHost* messages_ = nullptr;
  ModalHost* modal_ = nullptr;
  std::string registryKey_;
  int lastModalResult_ = 0;
};

extern CMyTorvix_ControllerApp theApp;

// What main does: hands the platform to theApp and runs InitInstance. Returns the exit code.
int RunTorvixController(BridgeApi& bridge, MessageHost& messages, ModalHost& modal);

}  // namespace torvix
