#include "profiles/profile_changes.h"

namespace torvix {

std::vector<ProfileChange> ProfileChanges(const std::vector<ProfileEntry>& entries,
                                          const CameraBlock& block) {
  std::vector<ProfileChange> changes;
  for (const ProfileEntry& entry : entries) {
    const uint8_t before = block.SettingsShadow[entry.id];
    const uint8_t after = ApplyRequest(before, entry.request);
    if (after != before) changes.push_back({entry.id, before, after});
  }
  return changes;
}

}  // namespace torvix
