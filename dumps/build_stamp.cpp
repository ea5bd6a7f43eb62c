// SPDX-License-Identifier: MIT
#include "dumps/build_stamp.h"

namespace torvix {

// The only file that reads the compiler's stamp, so the whole program shows one build time.
const char* BuildDate() { return __DATE__; }
const char* BuildTime() { return __TIME__; }

}  // namespace torvix
