// SPDX-License-Identifier: MIT
// The lock an i2c-dev setting names. Two programs on one camera: the window's search beside a
// stopped holder (tests/app), two torvix processes and a planted lock (tests/cli/program_test).
#include <gtest/gtest.h>

#include "camera/device_camera_lock.h"
#include "tests/support/fake_i2c_kernel.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {
namespace {

// A bus's lock is its node, whatever the setting calls it.
TEST(DeviceCameraLock, OfAnI2cBusIsItsNode) {
  FakeI2cKernel kernel;
  const ScratchFolder scratch;
  kernel.sysRoot = scratch.Path();
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw0");
  ScopedI2cKernel useKernel{kernel};
  for (const char* setting : {"i2c:7", "i2c:/dev/i2c-7", "i2c:cp2112"}) {
    EXPECT_EQ(CameraLockTargetOf(setting).path, "/dev/i2c-7") << setting;
  }
  EXPECT_EQ(CameraLockTargetOf("sim").path + CameraLockTargetOf("i2c:MCP2221").path, "");
}

}  // namespace
}  // namespace torvix::testing
