// SPDX-License-Identifier: MIT
#include "app/win32/native_progress_host.h"

// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include "app/win32/wide_text.h"

namespace torvix {

namespace {

constexpr const wchar_t* kWindowClass = L"TorvixProgress";
constexpr int kCancelId = IDCANCEL;
// Pixels: room for "Page 8 of 8" and a bar, with Cancel below.
constexpr int kWidth = 320;
constexpr int kHeight = 130;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

HWND child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT place,
           int id) {
  HWND control =
      ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  return control;
}

}  // namespace

NativeProgressHost::~NativeProgressHost() { End(); }

LRESULT CALLBACK NativeProgressHost::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* host = reinterpret_cast<NativeProgressHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  const bool cancel = (message == WM_COMMAND && LOWORD(wParam) == kCancelId) ||
                      (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
  if (cancel && host != nullptr) {
    host->stopAsked_ = true;  // the operation stops at its next step and ends the window
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void NativeProgressHost::Begin(const std::string& caption) {
  End();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &NativeProgressHost::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassW(&windowClass);  // fails harmlessly when registered already

  owner_ = windows_.TopWindow();
  RECT frame{0, 0, kWidth, kHeight};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  ::AdjustWindowRect(&frame, style, FALSE);
  RECT ownerRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (owner_ != nullptr) ::GetWindowRect(owner_, &ownerRect);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const std::wstring title = WideFromUtf8(caption);
  window_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass, title.c_str(), style,
                              (ownerRect.left + ownerRect.right - width) / 2,
                              (ownerRect.top + ownerRect.bottom - height) / 2, width, height,
                              owner_, nullptr, instance_, nullptr);
  if (window_ == nullptr) return;
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  text_ = child(window_, L"STATIC", L"", SS_LEFT, {kMargin, kMargin, kWidth - kMargin, 32}, -1);
  bar_ = child(window_, PROGRESS_CLASSW, L"", 0, {kMargin, 40, kWidth - kMargin, 60}, -1);
  const RECT button{kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight,
                    kWidth - kMargin, kHeight - kMargin};
  child(window_, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, button, kCancelId);
  ::SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
  stopAsked_ = false;
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

void NativeProgressHost::Show(const std::string& text, int percent) {
  if (window_ == nullptr) return;
  ::SetWindowTextW(text_, WideFromUtf8(text).c_str());
  ::SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

// The window is served here; the dialog under it is disabled while the operation runs, so only
// the progress window takes input.
bool NativeProgressHost::StopAsked() {
  if (window_ == nullptr) return false;
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!::IsDialogMessageW(window_, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return stopAsked_;
}

// The window under it gets the keyboard back, as after any modal window.
void NativeProgressHost::End() {
  if (window_ == nullptr) return;
  ::DestroyWindow(window_);
  window_ = nullptr;
  if (owner_ != nullptr) ::SetForegroundWindow(owner_);
  owner_ = nullptr;
}

}  // namespace torvix
