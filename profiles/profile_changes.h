// SPDX-License-Identifier: MIT
// What applying a profile to a camera would change: for each setting the register would take a
// new value, the value it holds and the value it would get, in table order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera/camera_block.h"
#include "profiles/profile_file.h"

namespace torvix {

struct ProfileChange {
  SettingId id;
  uint8_t before;
  uint8_t after;
  std::string rangeFault;  // the entry's: set when the value lies outside its range
};

// entries as ParseProfile gives them, against block as the camera was last read. Each value
// changes only the bits its setting owns, starting from the shadow byte; a setting whose byte
// would stay the same is left out, so it is not written, and never refused.
std::vector<ProfileChange> ProfileChanges(const std::vector<ProfileEntry>& entries,
                                          const CameraBlock& block);

// The changes of the held-back settings (heldBack true) or of all the others.
std::vector<ProfileChange> HeldBackChanges(const std::vector<ProfileChange>& changes,
                                           bool heldBack);

// False, with the file's fault in error, when one of changes would write a value outside its
// setting's range: the camera does not hold it, so it is a fault of the file.
bool ChangesInRange(const std::vector<ProfileChange>& changes, std::string& error);

}  // namespace torvix
