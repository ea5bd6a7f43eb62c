// SPDX-License-Identifier: MIT
// Quorlink.dll's start-up entry. The library's state starts out empty by static initialisation
// (an empty bridge table, last error code 0), so all that is left to do here is to tell Windows
// that no thread's start or end concerns the library: it keeps no per-thread state.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
