// torvix run in-process on the virtual camera (QUORLINK_DEVICE=sim) with a virtual clock, its
// three streams captured, and a scratch folder for its files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "camera/quorlink_bridge_api.h"
#include "cli/torvix_cli.h"
#include "clock/virtual_clock.h"
#include "camera/settings_table.h"
#include "sim/sim_rig.h"

namespace torvix::testing {

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline int CountLines(const std::string& text, const char* end = "\n") {
  int count = 0;
  for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, at + 1)) {
    ++count;
  }
  return count;
}

// One folder per test and process: ctest runs the tests in parallel processes.
class CliScratch {
 public:
  CliScratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    char folder[64];
    // The process id too: two builds may run the same test at the same time.
    std::snprintf(folder, sizeof folder, "torvix_cli_%016zx_%ld", std::hash<std::string>{}(name),
                  static_cast<long>(::getpid()));
    path_ = std::filesystem::temp_directory_path() / folder;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~CliScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

class CliOnSim : public ::testing::Test {
 protected:
  CliOnSim() { SimRig::Instance().Reset(); }
  ~CliOnSim() override {
    SimRig::Instance().Log().SetSink(nullptr);
    SimRig::Instance().Reset();
  }

  SimRig& rig() { return SimRig::Instance(); }
  VirtualCamera& camera() { return rig().Camera(); }

  // torvix --device sim ARGS..., with input on stdin.
  CliRun Run(std::vector<std::string> args, const std::string& input = "", bool terminal = false) {
    args.insert(args.begin(), {"--device", "sim"});
    return RunBare(args, input, terminal);
  }

  CliRun RunBare(const std::vector<std::string>& args, const std::string& input = "",
                 bool terminal = false) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, terminal};
    CliRun run;
    run.code = RunTorvix(args, console, *bridge);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // Register writes (the request 00 30 R) the camera was sent since the last Clear.
  std::vector<uint8_t> WrittenRegisters() const {
    std::vector<uint8_t> registers;
    for (const BusTransfer& t : SimRig::Instance().Log().Entries()) {
      if (t.direction == Direction::kWrite && t.bytes.size() == 3 && t.bytes[0] == 0x00 &&
          t.bytes[1] == 0x30 && t.status == 0) {
        registers.push_back(t.bytes[2]);
      }
    }
    return registers;
  }

  VirtualClock clock;
  ScopedClock useClock{clock};
  QuorlinkBridgeApi quorlink;
  BridgeApi* bridge = &quorlink;
  CliScratch scratch;
};

}  // namespace torvix::testing
