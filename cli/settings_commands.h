// SPDX-License-Identifier: MIT
// torvix settings, get and set: the settings table read from the camera, one setting at a time
// or all of them, and writes through the panel's write step.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace torvix {

// " 6 WdrMode             0x07 = 0x03 High": number, name, register, value, meaning.
std::string SettingLine(SettingId id, uint8_t value);

// The line of settings, as v4l2-ctl -l lists a control: SettingLine with the values the
// setting takes and its factory default after the meaning, "0x38-0x54 step 1, default 0x3c".
std::string SettingListLine(SettingId id, uint8_t value);

// What get prints of each setting: its line, the value alone (0x3c), or settings --json's rows.
enum class GetForm { kLine, kValue, kJson };

int RunSettings(CliSession& session, bool json);
// Reads the registers of the settings named, each once, in the order first named.
int RunGet(CliSession& session, const std::vector<std::string>& names, GetForm form);
// Every NAME=VALUE is checked before anything is written; then each is written in the order
// given, with only the bits the setting owns changed. Only the registers named are read: before
// the writes, for the bits a setting does not own, and with verify once more after them.
int RunSet(CliSession& session, const std::vector<std::string>& assignments, bool verify);

}  // namespace torvix
