// What applying a profile to a camera would change: for each setting the register would take a
// new value, the value it holds and the value it would get, in table order.
#pragma once

#include <cstdint>
#include <vector>

#include "camera/camera_block.h"
#include "profiles/profile_file.h"

namespace torvix {

struct ProfileChange {
  SettingId id;
  uint8_t before;
  uint8_t after;
};

// entries as ParseProfile gives them, against block as the camera was last read. Each value
// changes only the bits its setting owns, starting from the shadow byte; a setting whose byte
// would stay the same is left out, so it is not written.
std::vector<ProfileChange> ProfileChanges(const std::vector<ProfileEntry>& entries,
                                          const CameraBlock& block);

}  // namespace torvix
