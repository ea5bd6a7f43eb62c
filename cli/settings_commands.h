// torvix settings, get and set: the settings table read from the camera, one setting at a time
// or all of them, and writes through the panel's write step.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace torvix {

// " 6 WdrMode             0x07 = 0x03 High": number, name, register, value, meaning.
std::string SettingLine(SettingId id, uint8_t value);

int RunSettings(CliSession& session, bool json);
int RunGet(CliSession& session, const std::vector<std::string>& names);
// Every NAME=VALUE is checked before anything is written; then each is written in the order
// given, with only the bits the setting owns changed. verify reads the camera back after.
int RunSet(CliSession& session, const std::vector<std::string>& assignments, bool verify);

}  // namespace torvix
