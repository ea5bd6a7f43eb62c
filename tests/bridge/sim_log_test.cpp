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

int16_t OneWrite() {
  const int handle = IICInit(0x70, 0, 0);
  const uint8_t data[] = {0x30, 0x57};
  const int16_t code = SendSub(handle, 1, 0x00, data, 2, 0);
  IICClose(handle);
  return code;
}

class SimLog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_);
    UseInProcessSim();
  }
  void TearDown() override {
    SetEnv("QUORLINK_SIM_LOG", "");
    OneWrite();  // an open with the setting gone lets go of the file
    SetEnv("QUORLINK_DEVICE", "");
    std::filesystem::remove_all(dir_);
  }
  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  std::filesystem::path dir_ = std::filesystem::temp_directory_path() / "quorlink_sim_log_test";
};

TEST_F(SimLog, AppendsEveryTransferAsTheBusLogFormatsItUntilTheSettingIsGone) {
  const auto path = dir_ / "bus.log";
  std::ofstream(path) << "earlier line\n";
  SetEnv("QUORLINK_SIM_LOG", path.string());
  ASSERT_EQ(OneWrite(), 0);
  clock_.Advance(Milliseconds{2});
  ASSERT_EQ(OneWrite(), 0);
  SetEnv("QUORLINK_SIM_LOG", "");
  ASSERT_EQ(OneWrite(), 0);

  const BusLog& log = SimRig::Instance().Log();
  ASSERT_EQ(log.Size(), 3u);
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
  EXPECT_EQ(lines, (std::vector<std::string>{"earlier line", FormatTransfer(log[0]),
                                             FormatTransfer(log[1])}));
}

TEST_F(SimLog, AFileThatCannotBeOpenedLeavesTheCameraWorking) {
  SetEnv("QUORLINK_SIM_LOG", (dir_ / "no-such-folder" / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);
}

}  // namespace
}  // namespace torvix
