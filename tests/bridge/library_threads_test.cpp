// Two threads of one program, each with a handle of its own, on the in-process board.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bridge/include/quorlink.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"

namespace torvix {
namespace {

// Enough for the two threads to overlap many times; their transfers stay within the bus log.
constexpr int kRounds = 15000;

// Opens a handle per round, writes its device four bytes, reads them back and closes; the
// first failing result, or 0.
int Hammer(int address8, const std::atomic<bool>& go) {
  while (!go) std::this_thread::yield();
  const uint8_t out[4] = {1, 2, 3, 4};
  for (int round = 0; round < kRounds; ++round) {
    const int handle = IICInit(address8, 20000, 1000);
    if (handle < 0) return -1;
    uint8_t in[4] = {};
    int result = Send(handle, out, 0, 4);
    if (result == 0) result = Receive(handle, in, 0, 4);
    if (result == 0 && in[3] != 0xFF) result = -2;
    IICClose(handle);
    if (result != 0) return result;
  }
  return 0;
}

TEST(LibraryThreads, TwoThreadsWithAHandleEachNeverMixTheirTransfers) {
  VirtualClock clock;
  const ScopedClock scoped(clock);
  SimRig& rig = UseInProcessSim();
  rig.AddDevice(0x20);
  rig.AddDevice(0x40);
  int results[2] = {-3, -3};
  std::atomic<bool> go{false};
  std::thread first([&] { results[0] = Hammer(0x20, go); });
  std::thread second([&] { results[1] = Hammer(0x40, go); });
  go = true;
  first.join();
  second.join();
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 0);
  // Every transfer reached the address of the handle that made it.
  EXPECT_EQ(rig.Log().To(0x10).size(), 2u * kRounds);
  EXPECT_EQ(rig.Log().To(0x20).size(), 2u * kRounds);
  WEP(0);
  rig.Reset();
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix
