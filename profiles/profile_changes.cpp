// SPDX-License-Identifier: MIT
#include "profiles/profile_changes.h"

namespace torvix {

std::vector<ProfileChange> ProfileChanges(const std::vector<ProfileEntry>& entries,
                                          const CameraBlock& block) {
  std::vector<ProfileChange> changes;
  for (const ProfileEntry& entry : entries) {
    const uint8_t before = block.SettingsShadow[entry.id];
    const uint8_t after = ApplyRequest(before, entry.request);
    if (after != before) changes.push_back({entry.id, before, after, entry.rangeFault});
  }
  return changes;
}

std::vector<ProfileChange> HeldBackChanges(const std::vector<ProfileChange>& changes,
                                           bool heldBack) {
  std::vector<ProfileChange> chosen;
  for (const ProfileChange& change : changes) {
    if (HeldBackSetting(change.id) == heldBack) chosen.push_back(change);
  }
  return chosen;
}

bool ChangesInRange(const std::vector<ProfileChange>& changes, std::string& error) {
  for (const ProfileChange& change : changes) {
    if (change.rangeFault.empty()) continue;
    error = change.rangeFault;
    return false;
  }
  return true;
}

}  // namespace torvix
