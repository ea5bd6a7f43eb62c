// SPDX-License-Identifier: MIT
// The temporary files a save leaves behind when zembrel-sim is killed in the middle of one
// (cam.json.zembrel-sim-save-XXXXXX beside cam.json), removed when the next one starts.
#pragma once

#include <string>
#include <vector>

namespace torvix {

// Removes, beside statePath, what is surely such a leftover: a regular file of this user, named
// as a save names its temporary file, holding nothing or a whole state file (what a save
// writes), that no process has open. A file of the user's own beside it (cam.json.backup) is
// none of these. A save holds its temporary file
// open until the name is gone (renamed or removed), so an open one belongs to a live save, of
// another zembrel-sim on the same file. Where the open files cannot be seen (no /proc), nothing
// is removed. Returns the paths removed.
std::vector<std::string> RemoveStaleStateFiles(const std::string& statePath);

}  // namespace torvix
