// A camera link on a pattern camera, a scripted message host and a virtual clock, with a
// scratch folder for the files a test writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "clock/virtual_clock.h"
#include "tests/camera/recording_message_host.h"
#include "tests/dumps/pattern_camera_bridge.h"

namespace torvix::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The file split at CR LF; a missing final line end leaves a last piece of its own.
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// A scratch folder per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A short name, so paths in messages stay short; one per test, as ctest runs them in
    // parallel processes.
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    char folder[40];
    std::snprintf(folder, sizeof folder, "torvix_files_%016zx", std::hash<std::string>{}(name));
    path_ = std::filesystem::temp_directory_path() / folder;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

class DumpFixture : public ::testing::Test {
 protected:
  CallLog boxes;
  PatternCameraBridge bridge;
  RecordingMessageHost messages{boxes};
  VirtualClock clock;
  ScopedClock useClock{clock};
  CameraLink link{bridge, messages};
  ScratchFolder scratch;
};

}  // namespace torvix::testing
