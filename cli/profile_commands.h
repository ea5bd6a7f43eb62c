// torvix profile save|apply: a camera's writable settings to a JSON file, and back.
#pragma once

#include <string>

#include "cli/cli_session.h"

namespace torvix {

// Reads the camera and writes its profile to path ("-": stdout).
int RunProfileSave(CliSession& session, const std::string& path);

// Checks the whole profile first; a fault changes nothing. Then writes, in table order, only the
// settings whose register would change, and prints each change. dryRun prints without writing.
int RunProfileApply(CliSession& session, const std::string& path, bool dryRun);

}  // namespace torvix
