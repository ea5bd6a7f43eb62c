// SPDX-License-Identifier: MIT
// A kind of file in the words an error message needs: "a FIFO", "a directory".
#pragma once

#include <filesystem>

namespace torvix {

const char* FileKindWords(std::filesystem::file_type type);

}  // namespace torvix
