// SPDX-License-Identifier: MIT
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
#include "sim/bus_log_file.h"
#include "sim/sim_rig.h"
#include "tests/support/file_bytes.h"
#include "tests/support/in_process_sim.h"
#include "tests/support/scratch_folder.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace torvix::testing {
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
  const ScratchFolder dir;
  WriteFileBytes(dir / "bus.log", "earlier line\n");
  const BusLog& log = UseInProcessSim().Log();
  SetSimLog((dir / "no-such-folder" / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);  // a log that cannot be written keeps nobody from working
#if !defined(_WIN32)
  // Nor does one that is no file: a FIFO nobody reads held the open for ever.
  const std::string fifo = (dir / "bus.fifo").string();
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  SetSimLog(fifo);
  EXPECT_EQ(OneWrite(), 0);
  EXPECT_EQ(log.File()->Problem(), "it is not a regular file");
#endif
  SetSimLog((dir / "bus.log").string());
  EXPECT_EQ(OneWrite(), 0);
  clock.Advance(Milliseconds{2});
  EXPECT_EQ(OneWrite(), 0);
  SetSimLog("");
  EXPECT_EQ(OneWrite(), 0);

  ASSERT_GE(log.Size(), 4u);
  const std::size_t logged = log.Size() - 3;  // the two writes while bus.log was named
  std::vector<std::string> lines;
  std::ifstream in(dir / "bus.log");
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
  EXPECT_EQ(lines, (std::vector<std::string>{"earlier line", FormatTransfer(log[logged]),
                                             FormatTransfer(log[logged + 1])}));
  in.close();
}

}  // namespace
}  // namespace torvix::testing
