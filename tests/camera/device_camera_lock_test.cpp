// SPDX-License-Identifier: MIT
// The camera lock across programs (tests/cli/program_test.cpp has two processes on it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "camera/device_camera_lock.h"
#include "clock/virtual_clock.h"
#include "tests/support/scratch_folder.h"
#if defined(__linux__)
#include "tests/support/fake_i2c_kernel.h"
#endif

namespace torvix::testing {
namespace {

TEST(DeviceCameraLock, ASecondHolderOfTheDeviceWaits2sAndNoFileOutlivesItsHolder) {
  VirtualClock clock;
  ScopedClock useClock{clock};
  const ScratchFolder scratch;
  const std::filesystem::path& folder = scratch.Path();
  DeviceCameraLock first(folder);
  DeviceCameraLock second(folder);
  ::setenv("QUORLINK_DEVICE", (folder / "a.sock").c_str(), 1);
  ASSERT_TRUE(first.Take());
  EXPECT_FALSE(second.Take());
  EXPECT_EQ(clock.Now(), Milliseconds{2000});
  ::setenv("QUORLINK_DEVICE", (folder / "b.sock").c_str(), 1);
  EXPECT_TRUE(second.Take());
  second.Release();
  first.Release();
  EXPECT_TRUE(std::filesystem::is_empty(folder));
#if defined(__linux__)
  FakeI2cKernel kernel;
  kernel.sysRoot = folder / "sys";
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw0");
  ScopedI2cKernel useKernel{kernel};
  for (const char* setting : {"i2c:7", "i2c:/dev/i2c-7", "i2c:cp2112"}) {
    EXPECT_EQ(CameraLockFile(folder, setting), folder / "torvix-camera-dev-i2c-7.lock");
  }
  EXPECT_EQ(CameraLockFile(folder, "sim") + CameraLockFile(folder, "i2c:MCP2221"), "");
#endif
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix::testing
