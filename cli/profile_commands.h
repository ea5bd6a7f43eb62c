// SPDX-License-Identifier: MIT
// torvix profile save|apply: a camera's writable settings to a JSON file, and back.
#pragma once

#include <string>

#include "cli/cli_session.h"

namespace torvix {

// Reads the camera and writes its profile to path ("-": stdout); CameraAddress, OsdControl and
// PushToWhite only withHeldBack (--with-address). Each value outside its control's range is
// named in a warning.
int RunProfileSave(CliSession& session, const std::string& path, bool withHeldBack);

// Checks the whole profile first; a fault changes nothing. Then writes, in table order, only the
// settings whose register would change, and prints each change. dryRun prints without writing.
// The held-back settings are skipped, with a word, unless withHeldBack.
int RunProfileApply(CliSession& session, const std::string& path, bool dryRun, bool withHeldBack);

}  // namespace torvix
