// SPDX-License-Identifier: MIT
// Writing a profile out: the whole text at once, the file created or emptied.
#pragma once

#include <string>

namespace torvix {

// False with error in words ("Error: cannot write cam.json: No space left on device") when the
// file cannot be created or the text not written to its end.
bool WriteProfileFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace torvix
