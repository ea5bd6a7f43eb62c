// SPDX-License-Identifier: MIT
// The camera's registers and EEPROM kept in a file across zembrel-sim restarts.
//
// JSON: {"format": "zembrel-sim camera state", "version": 1,
//        "registers": [16 lines of 16 hex bytes], "eeprom": [64 lines of 16 hex bytes]}
// A save writes a temporary file of an unpredictable name beside the target (mkstemp), flushes
// it to the disk and renames it over the target, so a crash leaves either the old file or the
// new one, never a torn one. The saved file keeps the mode of the one it replaces; a symbolic
// link at the target is refused, never followed.
#pragma once

#include <string>

#include "sim/camera_factory.h"

namespace torvix {

struct CameraState {
  RegisterBank registers{};
  Eeprom eeprom{};
};

// A save writes FILE.zembrel-sim-save-XXXXXX first, the Xs replaced by letters and digits
// (mkostemp): a name no user gives a file of their own.
inline constexpr char kStateTemporarySuffix[] = ".zembrel-sim-save-XXXXXX";

enum class StateLoad {
  kLoaded,
  kMissing,     // no such file: start from the factory and create it
  kUnreadable,  // exists but cannot be read (permissions, a directory...)
  kCorrupt,     // read, but not a state file of ours: it must not be overwritten
};

// On anything but kLoaded and kMissing, error holds a one-line reason.
StateLoad LoadCameraState(const std::string& path, CameraState& state, std::string& error);
bool SaveCameraState(const std::string& path, const CameraState& state, std::string& error);

}  // namespace torvix
