// SPDX-License-Identifier: MIT
#include "bridge/hid/win32_hid_api.h"

namespace torvix {

namespace {

Win32HidApi& Installed() {
  static Win32HidApi api;
  return api;
}

}  // namespace

const Win32HidApi& CurrentWin32HidApi() { return Installed(); }

void SetWin32HidApiForTesting(const Win32HidApi& api) { Installed() = api; }

}  // namespace torvix
