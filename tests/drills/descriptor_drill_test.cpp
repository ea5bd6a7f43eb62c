// SPDX-License-Identifier: MIT
// Descriptors through the socket transport: 10,000 open/close cycles and the whole bridge
// table open at once leave the process with exactly the descriptors it had, with the daemon
// there, gone, or dying while handles are open. Counted in /proc/self/fd.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bridge/include/quorlink.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {
namespace {

constexpr int kCamera = 0x70;
constexpr int kTableSize = 100;

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// A register request on the handle; 0 when the daemon served it.
int16_t Request(int handle) {
  const uint8_t request[2] = {0x30, 0x42};
  return SendSub(handle, 1, 0x00, request, 2, 0);
}

class DescriptorDrill : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc/self/fd here";
    ASSERT_TRUE(daemon_.Start());
    ::setenv("QUORLINK_DEVICE", daemon_.Socket().c_str(), 1);
  }
  void TearDown() override {
    WEP(0);
    ::unsetenv("QUORLINK_DEVICE");
  }

  ZembrelProcess daemon_{ZEMBREL_SIM_PATH};
};

TEST_F(DescriptorDrill, TenThousandOpenCloseCyclesLeakNothing) {
  const int before = OpenDescriptors();
  for (int cycle = 0; cycle < 10000; ++cycle) {
    const int handle = IICInit(kCamera, 20000, 1000);
    ASSERT_EQ(handle, 0) << "cycle " << cycle;
    if (cycle % 100 == 0) {
      ASSERT_EQ(Request(handle), 0) << "cycle " << cycle;
    }
    IICClose(handle);
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(DescriptorDrill, AFullTableOfHandlesIsServedAndClosesEveryDescriptor) {
  const int before = OpenDescriptors();
  std::vector<int> handles;
  handles.reserve(kTableSize);
  for (int i = 0; i < kTableSize; ++i) handles.push_back(IICInit(kCamera, 20000, 1000));
  EXPECT_EQ(IICInit(kCamera, 20000, 1000), -1);  // the table is full
  EXPECT_EQ(OpenDescriptors(), before + kTableSize);
  // Every one of them reaches the board, oldest and newest alike.
  for (const int handle : handles) EXPECT_EQ(Request(handle), 0) << "handle " << handle;
  for (const int handle : handles) IICClose(handle);
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(DescriptorDrill, HandlesOpenWhenTheDaemonDiesCloseTheirDescriptorsAllTheSame) {
  const int before = OpenDescriptors();
  std::vector<int> handles;
  handles.reserve(kTableSize);
  for (int i = 0; i < kTableSize; ++i) handles.push_back(IICInit(kCamera, 20000, 1000));
  daemon_.Kill();
  for (const int handle : handles) EXPECT_EQ(Request(handle), QL_USB_COMMAND_ERROR);
  for (const int handle : handles) IICClose(handle);
  EXPECT_EQ(OpenDescriptors(), before);
  // With no daemon to connect to, opening fails and leaves nothing behind either.
  for (int cycle = 0; cycle < 1000; ++cycle) ASSERT_EQ(IICInit(kCamera, 20000, 1000), -1);
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
}  // namespace torvix::testing
