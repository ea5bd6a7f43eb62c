// SPDX-License-Identifier: MIT
// A fresh, empty folder of its own for the files and sockets a test or benchmark makes, removed
// with everything in it when the object goes.
#pragma once

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace torvix::testing {

class ScratchFolder {
 public:
  // Named after the process and a count, so tests run in parallel processes (and two builds
  // running the same test) never share one; a name left by a crashed run is passed over. Short,
  // so paths in messages stay readable and a socket's path fits its 108 bytes.
  ScratchFolder() {
    static std::atomic<int> made{0};
#if defined(_WIN32)
    const long process = _getpid();
#else
    const long process = ::getpid();
#endif
    const auto temp = std::filesystem::temp_directory_path();
    std::error_code error;
    do {
      path_ = temp / ("torvix_" + std::to_string(process) + "_" + std::to_string(made++));
    } while (!std::filesystem::create_directory(path_, error) && !error);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace torvix::testing
