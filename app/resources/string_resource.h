// SPDX-License-Identifier: MIT
// The program's string resources, by ID (app/resource_ids.h).
#pragma once

#include <string>

namespace torvix {

// The string from the loader a view installed, else from string_table.h; "" for an unknown ID.
std::string LoadStringResource(int stringId);

// Where the platform keeps a program's strings with the program (Windows' string table), its
// view installs the platform's loader; nullptr restores the built-in table.
using StringResourceLoader = std::string (*)(int stringId);
void SetStringResourceLoader(StringResourceLoader loader);

}  // namespace torvix
