// SPDX-License-Identifier: MIT
// The profile: the camera's writable settings by name, as JSON.
//
//   {
//     "torvix-profile": 1,
//     "settings": {
//       "AgcControl": "0x29",
//       ...
//     }
//   }
//
// A value is a register value, as a number or a text ("0x3c", "60", "High"); like a value on
// the command line, it changes only the bits its setting owns. Settings left out are left alone.
//
// A camera may hold a value outside its control's range, and a profile saved from it must apply
// back to it: such a value is read, and refused only where it would change the camera
// (profile_changes.h). Three settings belong to one camera rather than to a picture, its bus
// address, who steers it (its OSD menu or I2C) and the one-push white balance: a saved profile
// leaves them out and an apply skips them unless asked for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "camera/camera_block.h"
#include "profiles/setting_catalog.h"

namespace torvix {

inline constexpr int kProfileVersion = 1;

struct ProfileEntry {
  SettingId id;
  ValueRequest request;
  int line;  // where the file names it
  // For a value outside its setting's range, the refusal with the file, line and field, for
  // when it would change the camera; empty otherwise.
  std::string rangeFault;
};

// CameraAddress, OsdControl and PushToWhite.
bool HeldBackSetting(SettingId id);

// Every writable setting of block in table order, the held-back ones only withHeldBack.
std::string ProfileText(const CameraBlock& block, bool withHeldBack);

// One line for each setting ProfileText saves whose value lies outside its control's range:
// "Warning: WdrMode 0x05 is outside its range (0x00-0x03)".
std::vector<std::string> OutOfRangeWarnings(const CameraBlock& block, bool withHeldBack);

// Reads a whole profile; entries come back in table order. On any fault, error names the line
// and the field ("Error: cam.json line 7: unknown setting 'Gamma'") and entries
// is left empty.
bool ParseProfile(std::string_view text, const std::string& fileName,
                  std::vector<ProfileEntry>& entries, std::string& error);

}  // namespace torvix
