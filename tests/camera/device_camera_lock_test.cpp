// The camera lock across programs: a lock file per device, which a second holder waits for
// 2 s at most, and which is gone once nobody holds it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "camera/device_camera_lock.h"
#include "clock/virtual_clock.h"
#if defined(__linux__)
#include "tests/support/fake_i2c_kernel.h"
#endif

namespace torvix::testing {
namespace {

class DeviceLock : public ::testing::Test {
 protected:
  DeviceLock() { std::filesystem::create_directories(folder); }
  ~DeviceLock() override {
    ::unsetenv("QUORLINK_DEVICE");
    std::filesystem::remove_all(folder);
  }
  void UseDevice(const std::string& name) {
    ::setenv("QUORLINK_DEVICE", (folder / name).c_str(), 1);
  }

  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("torvix_camera_lock_" + std::to_string(::getpid()));
  VirtualClock clock;
  ScopedClock useClock{clock};
};

TEST_F(DeviceLock, ASecondHolderOfTheSameDeviceWaits2sThenGivesUp) {
  DeviceCameraLock first(folder);
  DeviceCameraLock second(folder);
  UseDevice("zembrel.sock");
  ASSERT_TRUE(first.Take());
  EXPECT_FALSE(second.Take());
  EXPECT_EQ(clock.Now(), Milliseconds{2000});
  UseDevice("other.sock");
  ASSERT_TRUE(second.Take());
  second.Release();
  UseDevice("zembrel.sock");
  first.Release();
  ASSERT_TRUE(second.Take());
  second.Release();
  EXPECT_EQ(clock.Now(), Milliseconds{2000});
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

#if defined(__linux__)
TEST_F(DeviceLock, AnI2cBusHasOneFileHoweverTheSettingNamesIt) {
  FakeI2cKernel kernel;
  kernel.sysRoot = folder / "sys";
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw0");
  ScopedI2cKernel useKernel{kernel};
  const std::string file = (folder / "torvix-camera-dev-i2c-7.lock").string();
  for (const char* setting : {"i2c:7", "i2c:/dev/i2c-7", "i2c:cp2112"}) {
    EXPECT_EQ(CameraLockFile(folder, setting), file) << setting;
  }
  EXPECT_EQ(CameraLockFile(folder, "i2c:MCP2221"), "");
  EXPECT_EQ(CameraLockFile(folder, "sim"), "");
}
#endif

}  // namespace
}  // namespace torvix::testing
