#include "bridge/src/os_check.h"

#include "bridge/include/quorlink.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace torvix {

int16_t CheckOperatingSystem() {
#if defined(_WIN32)
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return QL_VERSION_QUERY_FAILED;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 4) return QL_WRONG_OS;
#endif
  return QL_OK;
}

}  // namespace torvix
