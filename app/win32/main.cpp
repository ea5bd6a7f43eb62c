// SPDX-License-Identifier: MIT
// Torvix_Controller on Windows: the main dialog as a native dialog. The program reads no
// settings of its own and no arguments beyond --help and --version; the bridge library picks
// the adapter.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "app/application.h"
#include "app/program_options.h"
#include "app/resources/string_resource.h"
#include "app/win32/native_message_host.h"
#include "app/win32/native_modal_host.h"
#include "app/win32/native_progress_host.h"
#include "app/win32/native_save_dialog_host.h"
#include "app/win32/wide_text.h"
#include "bridge/devices/device_words.h"
#include "camera/quorlink_bridge_api.h"
#include "program/standard_output.h"

namespace {

// The program's string table (torvix_controller.rc), as the platform loads it.
std::string LoadProgramString(int stringId) {
  const wchar_t* text = nullptr;
  // A size of 0 asks for a pointer into the resource itself, which has no terminating zero.
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(stringId),
                                   reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0) return {};
  return torvix::Utf8FromWide(std::wstring_view(text, static_cast<std::size_t>(length)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // A GUI program has no console of its own: the answer reaches a redirected stdout.
  if (const std::optional<int> refused = torvix::TakeDeviceOption(__argc, __argv, std::cerr)) {
    return *refused;
  }
  if (const std::optional<int> answered =
          torvix::AnswerProgramOptions(__argc, __argv, torvix::DeviceSettingInWords(), std::cout)) {
    return torvix::CloseStandardOutput(*answered, "Torvix_Controller: ");
  }
  // The slider is a common control; the other classes come with every dialog.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  torvix::SetStringResourceLoader(&LoadProgramString);

  torvix::NativeModalHost windows(instance);
  torvix::NativeMessageHost messages(windows);
  torvix::NativeSaveDialogHost saveDialogs(windows);
  const torvix::ScopedSaveDialogHost scopedSaveDialogs(saveDialogs);
  torvix::NativeProgressHost progress(instance, windows);
  const torvix::ScopedProgressHost scopedProgress(progress);
  torvix::QuorlinkBridgeApi bridge;
  return torvix::RunTorvixController(bridge, messages, windows);
}
