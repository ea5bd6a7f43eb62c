// SPDX-License-Identifier: MIT
// torvix scan and reset: finding the camera on the bus, and letting it load its defaults.
#pragma once

#include "cli/cli_session.h"

namespace torvix {

// Prints the 8-bit address of the lowest device that answers the camera's probe.
int RunScan(CliSession& session);

// Asks first (the host answers from stdin or -y), then commands the camera to load its own
// defaults, waits for it, and prints the settings it then reports.
int RunReset(CliSession& session);

}  // namespace torvix
