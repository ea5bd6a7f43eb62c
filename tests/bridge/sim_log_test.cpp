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
void SetSimLog(const std::string& path) {
#if defined(_WIN32)
  _putenv_s("QUORLINK_SIM_LOG", path.c_str());
#else
  path.empty() ? ::unsetenv("QUORLINK_SIM_LOG") : ::setenv("QUORLINK_SIM_LOG", path.c_str(), 1);
#endif
}

int16_t OneWrite() {
  const int handle = IICInit(0x70, 0, 0);
  const uint8_t data[] = {0x30, 0x57};
  const int16_t code = SendSub(handle, 1, 0x00, data, 2, 0);
  IICClose(handle);
  return code;
}

TEST(SimLog, AppendsEveryTransferAsTheBusLogFormatsItUntilTheSettingIsGone) {
  VirtualClock clock;
  ScopedClock scoped(clock);
  const auto dir = std::filesystem::temp_directory_path() / "quorlink_sim_log_test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "bus.log") << "earlier line\n";
  const BusLog& log = UseInProcessSim().Log();
  SetSimLog((dir / "no-such-folder" / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);  // a log that cannot be written keeps nobody from working
  SetSimLog((dir / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);
  clock.Advance(Milliseconds{2});
  EXPECT_EQ(OneWrite(), 0);
  SetSimLog("");
  EXPECT_EQ(OneWrite(), 0);

  ASSERT_EQ(log.Size(), 4u);
  std::vector<std::string> lines;
  std::ifstream in(dir / "bus.log");
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
  EXPECT_EQ(lines, (std::vector<std::string>{"earlier line", FormatTransfer(log[1]),
                                             FormatTransfer(log[2])}));
  in.close();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace torvix
