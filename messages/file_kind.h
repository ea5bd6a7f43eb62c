// SPDX-License-Identifier: MIT
// A kind of file in the words an error message needs: "a FIFO", "a directory".
#pragma once

#include <filesystem>

namespace torvix {

inline const char* FileKindWords(std::filesystem::file_type type) {
  using std::filesystem::file_type;
  switch (type) {
    case file_type::regular: return "a regular file";
    case file_type::directory: return "a directory";
    case file_type::fifo: return "a FIFO";
    case file_type::character: return "a character device";
    case file_type::block: return "a block device";
    case file_type::socket: return "a socket";
    case file_type::symlink: return "a symbolic link";
    default: return "something other than a file";
  }
}

}  // namespace torvix
