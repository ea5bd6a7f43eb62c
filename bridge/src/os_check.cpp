// SPDX-License-Identifier: MIT
#include "bridge/src/os_check.h"

#include "bridge/include/quorlink.h"

#if defined(_WIN32)
#include "bridge/src/win32_api.h"
#endif

namespace torvix {

#if defined(_WIN32)
// The basic 148-byte version record, which every Windows version accepts.
static_assert(sizeof(OSVERSIONINFOA) == 148);
#endif

int16_t CheckOperatingSystem() {
#if defined(_WIN32)
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!CurrentWin32Api().getVersionEx(&info)) return QL_VERSION_QUERY_FAILED;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 4) return QL_WRONG_OS;
#endif
  return QL_OK;
}

}  // namespace torvix
