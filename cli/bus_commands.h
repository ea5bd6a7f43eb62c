// SPDX-License-Identifier: MIT
// torvix buses: the devices of every transport of the library that lists its own (the
// i2c-dev buses on Linux), as the table of transports gives them.
#pragma once

#include "cli/cli_session.h"

namespace torvix {

// One line each: an i2c-dev bus, its adapter's name, and whether this user may open it (the
// i2cdetect -l of this tool). None is no failure: it says why there may be none. A system
// where no transport lists its devices fails, saying where they exist.
int RunBuses(CliSession& session);

}  // namespace torvix
