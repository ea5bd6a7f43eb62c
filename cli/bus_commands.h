// torvix buses, and the check that the i2c-dev bus a run is pointed at will open.
#pragma once

#include <iosfwd>

#include "cli/cli_session.h"

namespace torvix {

// The i2c-dev buses, one line each: the bus, its adapter's name, and whether this user may
// open it (the i2cdetect -l of this tool). None is no failure: it says why there may be none.
int RunBuses(CliSession& session);

// When QUORLINK_DEVICE names an i2c-dev bus (i2c:...), opens it once to see that it will:
// false after saying in words why it would not. Other devices pass untouched.
bool CheckI2cDevice(std::ostream& err);

}  // namespace torvix
