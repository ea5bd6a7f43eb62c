// SPDX-License-Identifier: MIT
// Where a profile comes from: a file, or standard input for "-". Profiles are a few kilobytes;
// anything that is not a plain file or is far larger is refused before it is read whole.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace torvix {

inline constexpr std::size_t kProfileSizeLimit = std::size_t{1024} * 1024;

// Reads the profile at path ("-": in) into text. False with error in words when path is
// missing, unreadable or not a regular file (a FIFO is never opened, so it cannot hang us), or
// when the text runs past kProfileSizeLimit.
bool ReadProfileInput(const std::string& path, std::istream& in, std::string& text,
                      std::string& error);

}  // namespace torvix
