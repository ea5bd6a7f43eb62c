// SPDX-License-Identifier: MIT
// What the rooms above the library ask about the device setting: each answer comes from the
// row of the table of transports that takes the setting, so no room reads the setting itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/devices/transport_row.h"

namespace torvix {

// What holds the camera the setting reaches (null or empty: unset); no path (the process's
// lock) for a transport that names none or a setting that no transport here takes.
CameraIdentity CameraIdentityOf(const char* setting);

// Why the device QUORLINK_DEVICE names will not open, in words, each "" when no cause shows:
// asked before a command runs (an i2c-dev bus is opened once to see), after the library failed
// to open it (a socket is looked at), and what it shows after a run on it failed (openFailed,
// or lastFailure, the bridge's code, not 0).
std::string DeviceProblemBeforeUse();
std::string DeviceOpenProblem();
std::string DeviceFailureProblem(bool openFailed, int16_t lastFailure);

// The devices a setting may name on this system, for a list in words: "sim, i2c:BUS, or a
// socket path".
std::string DeviceKindsInWords();

// The setting's values on this system as one sentence: "QUORLINK_DEVICE=sim for the virtual
// camera, ..., or unset for ...".
std::string DeviceSettingInWords();

// What torvix buses shows of one transport: its devices, a line each, or words for none.
struct DeviceList {
  std::vector<std::string> lines;
  std::string_view none;
};

// The lists of this system's transports that list their devices; none where none does.
std::vector<DeviceList> ListDevices();

// What torvix buses lists, with where each exists: "i2c-dev buses (Linux) and HID adapters
// (Linux and Windows)".
std::string ListedInWords();

// "Linux" in "i2c-dev buses exist on Linux only"; "Linux and Windows".
std::string SystemsInWords(Systems systems);

// Where the transports that list their devices exist: "i2c-dev buses exist on Linux only".
std::string ListedElsewhere();

}  // namespace torvix
