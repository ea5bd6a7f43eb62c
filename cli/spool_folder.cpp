// SPDX-License-Identifier: MIT
#include "cli/spool_folder.h"

#include <system_error>

#if defined(_WIN32)
#include <random>
#else
#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace torvix {

namespace {

constexpr char kPrefix[] = "torvix-spool-";

}  // namespace

SpoolFolder::SpoolFolder() {
#if defined(_WIN32)
  std::error_code failure;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(failure);
  if (failure) {
    problem_ = failure.message();
    return;
  }
  // Each user has a temporary folder of their own; a name another run took is tried again.
  std::random_device random;
  for (int tries = 0; tries < 16 && folder_.empty(); ++tries) {
    const std::filesystem::path candidate = temporary / (kPrefix + std::to_string(random()));
    if (std::filesystem::create_directory(candidate, failure)) folder_ = candidate;
    if (failure) break;
  }
  if (folder_.empty()) problem_ = failure ? failure.message() : "no free name";
#else
  // TMPDIR set but empty is no folder: /tmp then, as for mktemp.
  const char* tmpdir = std::getenv("TMPDIR");
  const std::filesystem::path temporary = tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp";
  // mkdtemp makes the folder 0700 in one step: nobody else can put a file or a link into it.
  std::string pattern = (temporary / kPrefix).string() + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    problem_ = std::strerror(errno);
    return;
  }
  folder_ = pattern;
#endif
}

SpoolFolder::~SpoolFolder() {
  if (folder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

}  // namespace torvix
