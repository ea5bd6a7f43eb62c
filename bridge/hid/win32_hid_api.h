// SPDX-License-Identifier: MIT
// The calls the HID transport makes on Windows (hid.dll, setupapi and the kernel's), gathered
// in one table so a test can put a scripted device in their place, as win32_api.h does for the
// driver transport. Built on Windows only.
#pragma once

// clang-format off
#include <windows.h>
#include <setupapi.h>
// mingw-w64's HID headers declare C functions without saying so to C++.
extern "C" {
#include <hidsdi.h>
}
// clang-format on

namespace torvix {

struct Win32HidApi {
  // Finding the devices: the HID class's interfaces, each one's path.
  decltype(&::HidD_GetHidGuid) getHidGuid = ::HidD_GetHidGuid;
  decltype(&::SetupDiGetClassDevsA) getClassDevs = ::SetupDiGetClassDevsA;
  decltype(&::SetupDiEnumDeviceInterfaces) enumInterfaces = ::SetupDiEnumDeviceInterfaces;
  decltype(&::SetupDiGetDeviceInterfaceDetailA) getInterfaceDetail =
      ::SetupDiGetDeviceInterfaceDetailA;
  decltype(&::SetupDiDestroyDeviceInfoList) destroyList = ::SetupDiDestroyDeviceInfoList;
  // A device: its ids, serial number and report lengths.
  decltype(&::CreateFileA) createFile = ::CreateFileA;
  decltype(&::CloseHandle) closeHandle = ::CloseHandle;
  decltype(&::HidD_GetAttributes) getAttributes = ::HidD_GetAttributes;
  decltype(&::HidD_GetSerialNumberString) getSerial = ::HidD_GetSerialNumberString;
  decltype(&::HidD_GetPreparsedData) getPreparsedData = ::HidD_GetPreparsedData;
  decltype(&::HidP_GetCaps) getCaps = ::HidP_GetCaps;
  decltype(&::HidD_FreePreparsedData) freePreparsedData = ::HidD_FreePreparsedData;
  // Its reports: feature reports at once, interrupt reports overlapped, waited for with a limit.
  decltype(&::HidD_GetFeature) getFeature = ::HidD_GetFeature;
  decltype(&::HidD_SetFeature) setFeature = ::HidD_SetFeature;
  decltype(&::WriteFile) writeFile = ::WriteFile;
  decltype(&::ReadFile) readFile = ::ReadFile;
  decltype(&::CreateEventA) createEvent = ::CreateEventA;
  decltype(&::WaitForSingleObject) waitForObject = ::WaitForSingleObject;
  decltype(&::GetOverlappedResult) getOverlappedResult = ::GetOverlappedResult;
  decltype(&::CancelIo) cancelIo = ::CancelIo;
};

// The table in force: the system's own functions unless a test installed others.
const Win32HidApi& CurrentWin32HidApi();

// Installs a table (a default-constructed one restores the system's functions).
void SetWin32HidApiForTesting(const Win32HidApi& api);

}  // namespace torvix
