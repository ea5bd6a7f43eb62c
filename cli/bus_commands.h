// SPDX-License-Identifier: MIT
// torvix buses, the check that the i2c-dev bus a run is pointed at will open, and what the bus
// shows after a run on it failed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/cli_session.h"

namespace torvix {

// The i2c-dev buses, one line each: the bus, its adapter's name, and whether this user may
// open it (the i2cdetect -l of this tool). None is no failure: it says why there may be none.
int RunBuses(CliSession& session);

// When QUORLINK_DEVICE names an i2c-dev bus (i2c:...), opens it once to see that it will:
// false after saying in words why it would not. Other devices pass untouched.
bool CheckI2cDevice(std::ostream& err);

// After a run on an i2c-dev bus in which a transfer failed (lastFailure, the bridge's code) or
// the bus would not open again: what the bus shows, in words, or "" when it shows nothing.
// "Error: the adapter is gone: unplugged? (i2c:SPEC)" when the board failed the request (the
// adapter failed, codes 11 to 13) or the bus no longer opens; "Error: the i2c bus PATH is busy:
// another program has held it for more than 2 s" after a busy bus whose lock is still held.
std::string I2cBusProblem(bool openFailed, int16_t lastFailure);

}  // namespace torvix
