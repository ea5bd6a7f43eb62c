// QUORLINK_SIM_LOG: the in-process camera's bus log appended to a file, line for line what the
// bus log holds, on every platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bridge/include/quorlink.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"

namespace torvix {
namespace {

// An empty value removes the variable.
void SetEnv(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) ::unsetenv(name);
  else ::setenv(name, value.c_str(), 1);
#endif
}
void SetSimLog(const std::string& path) { SetEnv("QUORLINK_SIM_LOG", path); }

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class SimLog : public ::testing::Test {
 protected:
  void SetUp() override {
    WEP(0);
    UseInProcessSim();
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    SetSimLog("");
    WEP(0);
    OneWrite();  // an open with the setting gone lets go of the file
    WEP(0);
    SetEnv("QUORLINK_DEVICE", "");
    std::filesystem::remove_all(dir_);
  }
  static int16_t OneWrite() {
    const int handle = IICInit(0x70, 0, 0);
    const uint8_t data[] = {0x30, 0x57};
    const int16_t code = SendSub(handle, 1, 0x00, data, 2, 0);
    IICClose(handle);
    return code;
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  std::filesystem::path dir_ = std::filesystem::temp_directory_path() / "quorlink_sim_log_test";
};

TEST_F(SimLog, AppendsEveryTransferAsTheBusLogFormatsItUntilTheSettingIsGone) {
  const auto path = dir_ / "bus.log";
  std::ofstream(path) << "earlier line\n";
  SetSimLog(path.string());
  ASSERT_EQ(OneWrite(), 0);
  clock_.Advance(Milliseconds{2});
  ASSERT_EQ(OneWrite(), 0);
  SetSimLog("");
  ASSERT_EQ(OneWrite(), 0);

  const BusLog& log = SimRig::Instance().Log();
  ASSERT_EQ(log.Size(), 3u);
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"earlier line", FormatTransfer(log[0]),
                                                   FormatTransfer(log[1])}));
}

TEST_F(SimLog, AFileThatCannotBeOpenedLeavesTheCameraWorking) {
  SetSimLog((dir_ / "no-such-folder" / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);
  EXPECT_EQ(OneWrite(), 0);
}

}  // namespace
}  // namespace torvix
