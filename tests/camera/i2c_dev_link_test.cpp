// SPDX-License-Identifier: MIT
// The camera link through the real library to a Linux i2c-dev bus, over a fake kernel with the
// virtual camera behind it: the bus sees exactly what the virtual board puts on it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "camera/settings_table.h"
#include "clock/virtual_clock.h"
#include "tests/support/camera_on_sim.h"
#include "tests/support/fake_i2c_kernel.h"

namespace torvix::testing {
namespace {

// A setting written, then every setting read, on a factory camera: the bus log's lines.
std::vector<std::string> Traffic(const char* device) {
  CameraOnSim camera;
  ::setenv("QUORLINK_DEVICE", device, 1);
  VirtualClock clock;
  ScopedClock useClock{clock};
  CameraLink& link = camera.link;
  EXPECT_EQ(link.WriteSetting(Contrast, 0x40), 0);
  EXPECT_EQ(link.ReadAllSettings(link.Block()), 0);
  EXPECT_EQ(link.Block().SettingsShadow[Contrast], 0x40);
  EXPECT_TRUE(camera.boxes.empty());
  std::vector<std::string> lines;
  for (const BusTransfer& t : SimRig::Instance().Log().Entries()) {
    lines.push_back(FormatTransfer(t));
  }
  return lines;
}

class CameraOverI2cDev : public ::testing::TestWithParam<unsigned long> {};

TEST_P(CameraOverI2cDev, PutsTheSameTransfersOnTheBusAsTheVirtualBoard) {
  const std::vector<std::string> board = Traffic("sim");
  FakeI2cKernel kernel;
  kernel.functions = GetParam();
  kernel.bus = &SimRig::Instance().Bus();
  ScopedI2cKernel useKernel{kernel};
  EXPECT_EQ(Traffic("i2c:/dev/i2c-5"), board);
  EXPECT_EQ(board.size(), 2u + 2u * kSettingCount);
  EXPECT_EQ(kernel.transfers.size(), board.size());
  EXPECT_EQ(kernel.unlockedTransfers + kernel.openFds, 0);
}

INSTANTIATE_TEST_SUITE_P(PlainI2cAndSmbus, CameraOverI2cDev,
                         ::testing::Values(I2C_FUNC_I2C, I2C_FUNC_SMBUS_EMUL));

}  // namespace
}  // namespace torvix::testing
