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
};

// Every writable setting of block, in table order.
std::string ProfileText(const CameraBlock& block);

// Reads a whole profile; entries come back in table order. On any fault, error names the line
// and the field ("Error: cam.json line 7: Contrast value out of range (0x38-0x54)!") and entries
// is left empty.
bool ParseProfile(std::string_view text, const std::string& fileName,
                  std::vector<ProfileEntry>& entries, std::string& error);

}  // namespace torvix
