// SPDX-License-Identifier: MIT
#include "profiles/profile_input.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>

#include "messages/file_kind.h"

namespace torvix {

namespace {

namespace fs = std::filesystem;

std::string tooLarge(const std::string& path) {
  return "Error: " + path + " is larger than 1 MiB; a profile is a few kilobytes";
}

// At most one byte past the limit, so a stream that never ends is refused all the same.
bool readBounded(std::istream& in, const std::string& path, std::string& text, std::string& error) {
  text.assign(kProfileSizeLimit + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) {
    error = "Error: cannot read " + path;
    return false;
  }
  if (text.size() > kProfileSizeLimit) {
    error = tooLarge(path);
    return false;
  }
  return true;
}

}  // namespace

bool ReadProfileInput(const std::string& path, std::istream& in, std::string& text,
                      std::string& error) {
  if (path == "-") return readBounded(in, "standard input", text, error);
  std::error_code failure;
  const fs::file_status status = fs::status(path, failure);
  if (failure) {
    error = "Error: cannot read " + path + ": " + failure.message();
    return false;
  }
  if (status.type() != fs::file_type::regular) {
    error = "Error: cannot read " + path + ": it is " + FileKindWords(status.type()) +
            ", not a profile file";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "Error: cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  return readBounded(file, path, text, error);
}

}  // namespace torvix
