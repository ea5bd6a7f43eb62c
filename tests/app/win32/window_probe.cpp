// SPDX-License-Identifier: MIT
// torvix_window_probe: reads the native windows of a running Torvix_Controller for the view's
// tests, which drive it with xdotool as a person would. Runs under the same wine server.
//
//   window_probe wait CAPTION          waits for a visible top-level window; prints its class
//   window_probe gone CAPTION          waits until no visible window has the caption
//   window_probe controls CAPTION      the number of its controls
//   window_probe tabs CAPTION          the IDs of the controls Tab visits, in its order
//   window_probe centre CAPTION ID     screen centre of the control with the ID: "x y"
//   window_probe thumb CAPTION ID      screen centre of a trackbar's thumb: "x y"
//   window_probe text CAPTION ID       the control's text
//   window_probe message CAPTION       waits for a message box; prints its text
// Exit code 0, or 1 when the window or control is not there within ten seconds.
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kWaitMilliseconds = 10000;
constexpr int kPollMilliseconds = 100;
// Message boxes and dialogs are of the platform's dialog class.
constexpr const char* kDialogClass = "#32770";

struct Search {
  const char* caption;
  bool dialogOnly;
  bool withoutControl;  // a message box: no trackbar among its children
  HWND found;
};

bool hasTrackbar(HWND window) {
  return FindWindowExA(window, nullptr, TRACKBAR_CLASSA, nullptr) != nullptr;
}

BOOL CALLBACK matchTopLevel(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char text[256] = {};
  char className[64] = {};
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, className, sizeof className);
  if (!IsWindowVisible(window) || std::string(text) != search->caption) return TRUE;
  if (search->dialogOnly && std::string(className) != kDialogClass) return TRUE;
  if (search->withoutControl && hasTrackbar(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find(const char* caption, bool messageBox) {
  Search search{caption, messageBox, messageBox, nullptr};
  EnumWindows(&matchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitFor(const char* caption, bool messageBox) {
  for (int waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    if (HWND window = find(caption, messageBox)) return window;
    Sleep(kPollMilliseconds);
  }
  return nullptr;
}

void printCentre(HWND window, RECT rect) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int countControls(HWND dialog) {
  int count = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  return count;
}

// The dialog manager's own walk, the one it takes on Tab: once round from the first tab stop.
void printTabOrder(HWND dialog) {
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND item = first; item != nullptr;) {
    std::printf("%d ", GetDlgCtrlID(item));
    item = GetNextDlgTabItem(dialog, item, FALSE);
    if (item == first) break;
  }
  std::printf("\n");
}

// The message box's text is its static control with the most characters.
std::string messageText(HWND box) {
  std::string longest;
  for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child != nullptr;
       child = FindWindowExA(box, child, "Static", nullptr)) {
    char text[1024] = {};
    SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (std::string(text).size() > longest.size()) longest = text;
  }
  return longest;
}

// The trackbar fills a RECT in its own process: lend it memory there.
bool thumbRect(HWND trackbar, RECT& rect) {
  DWORD processId = 0;
  GetWindowThreadProcessId(trackbar, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
  bool read = false;
  if (remote != nullptr) {
    SendMessageA(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(remote));
    read = ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr) != FALSE;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return read;
}

int controlCommand(const std::string& command, HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return 1;
  if (command == "centre") {
    RECT rect;
    GetClientRect(control, &rect);
    printCentre(control, rect);
  } else if (command == "thumb") {
    RECT rect{};
    if (!thumbRect(control, rect)) return 1;
    printCentre(control, rect);
  } else if (command == "text") {
    char text[1024] = {};
    // Another process's control: GetWindowText would not ask it.
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", text);
  } else {
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: window_probe wait|gone|controls|tabs|centre|thumb|text|"
                 "message CAPTION [ID]\n");
    return 2;
  }
  const std::string command = argv[1];
  const char* caption = argv[2];
  if (command == "gone") {
    for (int waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
      if (find(caption, false) == nullptr) return 0;
      Sleep(kPollMilliseconds);
    }
    return 1;
  }
  const bool messageBox = command == "message";
  HWND window = waitFor(caption, messageBox);
  if (window == nullptr) return 1;
  if (command == "wait") {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    std::printf("%s\n", className);
    return 0;
  }
  if (command == "controls") {
    std::printf("%d\n", countControls(window));
    return 0;
  }
  if (command == "tabs") {
    printTabOrder(window);
    return 0;
  }
  if (messageBox) {
    std::printf("%s\n", messageText(window).c_str());
    return 0;
  }
  if (argc < 4) return 2;
  return controlCommand(command, window, std::atoi(argv[3]));
}
