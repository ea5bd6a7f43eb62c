// SPDX-License-Identifier: MIT
// The camera lock across programs: this process on zembrel-sim's camera beside another program
// that holds it (tests/cli/program_test.cpp runs two torvix processes on it), a lock that
// someone planted or removed, and the lock of an i2c-dev bus on its node.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "clock/virtual_clock.h"
#include "tests/support/case_name.h"
#include "tests/support/fake_i2c_kernel.h"
#include "tests/support/recording_message_host.h"
#include "tests/support/shared_camera.h"

namespace torvix::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class TwoPrograms : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(camera.Started()); }

  // Register 0x57 (Contrast) as the camera holds it, read under the lock.
  int Contrast() {
    uint8_t value = 0;
    return link.ReadRegister(0x01, 0x31, 0x57, link.Block(), &value) == 0 ? value : -1;
  }
  std::set<fs::path> Files() const {
    std::set<fs::path> files;
    for (const auto& entry : fs::directory_iterator(camera.Daemon().Dir())) {
      files.insert(entry.path());
    }
    return files;
  }

  SharedCamera camera{ZEMBREL_SIM_PROGRAM};
  CallLog boxes;
  QuorlinkBridgeApi bridge;
  RecordingMessageHost messages{boxes};
  CameraLink link{bridge, messages};
};

// The other program keeps the camera: the access waits the whole limit, sends nothing, and
// names the lock, where fuser finds the program.
TEST_F(TwoPrograms, AStoppedHolderKeepsTheCameraForTheWholeWaitAndIsNamed) {
  ASSERT_TRUE(camera.StopAHolder());
  {
    VirtualClock clock;
    ScopedClock useClock{clock};
    EXPECT_EQ(link.WriteRegister(0x57, 0x40), 1);
    EXPECT_EQ(clock.Now(), Milliseconds{2000});
  }
  EXPECT_THAT(boxes, ElementsAre("Box(0x00): The camera is busy: another program has held its "
                                 "lock " +
                                 camera.LockFile() + " for more than 2 s"));
  camera.LetTheHolderGo();
  EXPECT_EQ(Contrast(), 0x3c);
}

// Accesses create nothing, remove nothing and replace nothing; the daemon takes its lock along.
TEST_F(TwoPrograms, AccessesLeaveTheLockAsTheyFoundItAndTheDaemonTakesItAlong) {
  struct stat before {};
  struct stat after {};
  ASSERT_EQ(::lstat(camera.LockFile().c_str(), &before), 0);
  const std::set<fs::path> files = Files();
  EXPECT_EQ(link.WriteRegister(0x57, 0x40), 0);
  EXPECT_EQ(Contrast(), 0x40);
  ASSERT_EQ(::lstat(camera.LockFile().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(camera.Daemon().Stop(), 0);
  EXPECT_FALSE(fs::exists(camera.LockFile()));
  EXPECT_FALSE(fs::exists(camera.Daemon().Socket()));
}

struct PlantedLock {
  const char* name;
  std::function<bool(const std::string& lock)> plant;
  const char* reason;
};

std::ostream& operator<<(std::ostream& out, const PlantedLock& planted) {
  return out << planted.name;
}

class APlantedLock : public TwoPrograms, public ::testing::WithParamInterface<PlantedLock> {};

// Whatever another user put in the lock's place, or took away, the camera is not reached
// without it: the access fails in words that name the lock.
TEST_P(APlantedLock, IsNoLockAndNeverTakenForNone) {
  const std::string lock = camera.LockFile();
  ASSERT_EQ(::unlink(lock.c_str()), 0);
  if (!GetParam().plant(lock)) GTEST_SKIP() << "cannot plant it here";
  EXPECT_EQ(link.WriteRegister(0x57, 0x40), 1);
  EXPECT_THAT(boxes, ElementsAre(StartsWith("Box(0x00): The camera's lock " + lock +
                                            " cannot be taken: " + GetParam().reason)));
  ::unlink(lock.c_str());
  ::rmdir(lock.c_str());
  ASSERT_EQ(::close(::open(lock.c_str(), O_CREAT | O_WRONLY, 0600)), 0);
  EXPECT_EQ(Contrast(), 0x3c);
}

INSTANTIATE_TEST_SUITE_P(
    CameraLock, APlantedLock,
    ::testing::Values(
        PlantedLock{"Missing", [](const std::string&) { return true; },
                    "No such file or directory"},
        PlantedLock{"SymbolicLink",
                    [](const std::string& lock) {
                      return ::close(::open((lock + ".real").c_str(), O_CREAT, 0600)) == 0 &&
                             ::symlink((lock + ".real").c_str(), lock.c_str()) == 0;
                    },
                    "it is a symbolic link"},
        PlantedLock{"Fifo",
                    [](const std::string& lock) { return ::mkfifo(lock.c_str(), 0666) == 0; },
                    "it is not a regular file"},
        PlantedLock{"Folder",
                    [](const std::string& lock) { return ::mkdir(lock.c_str(), 0777) == 0; },
                    "Is a directory"},
        // Only root may give a file away: elsewhere the case is skipped.
        PlantedLock{"AnotherUsersFile",
                    [](const std::string& lock) {
                      const int fd = ::open(lock.c_str(), O_CREAT | O_RDWR, 0666);
                      const bool given = fd >= 0 && ::fchown(fd, 65534, 65534) == 0;
                      ::close(fd);
                      return given;
                    },
                    "it does not belong to the owner of "}),
    CaseName());

#if defined(__linux__)
// An i2c-dev bus's lock is its node (here a file standing in for one): every spelling of the
// bus shares it, and the bus's own flock on another descriptor of the node is not held off.
TEST(DeviceCameraLock, OfAnI2cBusIsItsNodeAndLeavesTheBusFlockAlone) {
  const ScratchFolder scratch;
  FakeI2cKernel kernel;
  kernel.sysRoot = scratch.Path() / "sys";
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw0");
  ScopedI2cKernel useKernel{kernel};
  for (const char* setting : {"i2c:7", "i2c:/dev/i2c-7", "i2c:cp2112"}) {
    EXPECT_EQ(CameraLockTargetOf(setting).path, "/dev/i2c-7") << setting;
  }
  EXPECT_EQ(CameraLockTargetOf("sim").path + CameraLockTargetOf("i2c:MCP2221").path, "");
  EXPECT_EQ(CameraLockTargetOf("/run/cam.sock").path, "/run/cam.sock.lock");

  const std::string node = (scratch.Path() / "i2c-7").string();
  ASSERT_EQ(::close(::open(node.c_str(), O_CREAT | O_RDWR, 0600)), 0);
  const SavedEnvironment device{"QUORLINK_DEVICE"};
  ::setenv("QUORLINK_DEVICE", ("i2c:" + node).c_str(), 1);
  VirtualClock clock;
  ScopedClock useClock{clock};
  DeviceCameraLock first;
  DeviceCameraLock second;
  ASSERT_TRUE(first.Take());
  const int bus = ::open(node.c_str(), O_RDWR);
  EXPECT_EQ(::flock(bus, LOCK_EX | LOCK_NB), 0);
  ::close(bus);
  EXPECT_FALSE(second.Take());
  EXPECT_EQ(second.Problem(), "The camera is busy: another program has held its lock on " + node +
                                  " for more than 2 s");
  first.Release();
  EXPECT_TRUE(second.Take());
}
#endif

}  // namespace
}  // namespace torvix::testing
