// SPDX-License-Identifier: MIT
#include "bridge/src/win32_api.h"

namespace torvix {

namespace {

Win32Api& Installed() {
  static Win32Api api;
  return api;
}

}  // namespace

const Win32Api& CurrentWin32Api() { return Installed(); }

void SetWin32ApiForTesting(const Win32Api& api) { Installed() = api; }

}  // namespace torvix
