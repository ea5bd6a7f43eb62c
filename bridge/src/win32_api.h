// SPDX-License-Identifier: MIT
// The four kernel calls the library makes on Windows, gathered in one table so a test can put a
// scripted driver in their place and check every argument. Built on Windows only.
#pragma once

#include <windows.h>

namespace torvix {

struct Win32Api {
  decltype(&::CreateFileA) createFile = ::CreateFileA;
  decltype(&::DeviceIoControl) deviceIoControl = ::DeviceIoControl;
  decltype(&::CloseHandle) closeHandle = ::CloseHandle;
  decltype(&::GetVersionExA) getVersionEx = ::GetVersionExA;
};

// The table in force: the kernel's own functions unless a test installed others.
const Win32Api& CurrentWin32Api();

// Installs a table (a default-constructed one restores the kernel's functions).
void SetWin32ApiForTesting(const Win32Api& api);

}  // namespace torvix
