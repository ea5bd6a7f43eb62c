// SPDX-License-Identifier: MIT
#include "profiles/profile_output.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace torvix {

bool WriteProfileFile(const std::string& path, const std::string& text, std::string& error) {
  errno = 0;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file << text;
  if (file) file.close();
  if (!file) {
    error = "Error: cannot write " + path + ": " +
            (errno != 0 ? std::strerror(errno) : "the file could not be written");
    return false;
  }
  return true;
}

}  // namespace torvix
