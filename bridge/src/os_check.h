// SPDX-License-Identifier: MIT
// IICInit's platform check. Only the Windows driver has platforms it cannot serve (the NT 4
// family); on POSIX every system passes.
#pragma once

#include <cstdint>

namespace torvix {

// 0 when the library can work here, else code 16 or 17.
int16_t CheckOperatingSystem();

}  // namespace torvix
