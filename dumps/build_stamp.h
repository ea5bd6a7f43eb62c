// SPDX-License-Identifier: MIT
// When this program was built: the compiler's date ("Dec 12 2014", a day below 10 padded
// with a blank) and time ("12:52:45"), fixed for the life of the build.
#pragma once

namespace torvix {

const char* BuildDate();
const char* BuildTime();

}  // namespace torvix
