// SPDX-License-Identifier: MIT
// The built torvix run as a script runs it: against the in-process virtual camera
// (--device sim, a factory-fresh camera every run) and against zembrel-sim over its socket,
// where the camera keeps its state from one run to the next.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "camera/device_camera_lock.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/cli/program_run.h"
#include "tests/support/saved_environment.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kTorvix = TORVIX_PROGRAM;
const std::string kZembrelSim = ZEMBREL_SIM_PROGRAM;
const std::filesystem::path kGolden = TORVIX_DUMPS_GOLDEN_DIR;

class Program : public ::testing::Test {
 protected:
  CliRun Torvix(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), kTorvix);
    return RunProgram(args, scratch / "", input);
  }

  ScratchFolder scratch;
};

TEST_F(Program, SettingsOfAFreshSimCamera) {
  const CliRun run = Torvix({"--device", "sim", "settings"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out), 29);
  EXPECT_THAT(run.out, HasSubstr(" 6 WdrMode             0x07 = 0x03 High "));
  EXPECT_EQ(run.err, "");
}

TEST_F(Program, SetWithVerifyInOneRunAndARangeRefusal) {
  const CliRun set = Torvix({"--device", "sim", "set", "--verify", "Contrast=0x40"});
  EXPECT_EQ(set.code, 0) << set.err;
  EXPECT_EQ(set.out, "16 Contrast            0x57 = 0x40\n");
  const CliRun refused = Torvix({"--device", "sim", "set", "Contrast=0x60"});
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused.err, "Error: Contrast value out of range (0x38-0x54)!\n");
}

// One register asked for is one register read: its request and the read, nothing more.
TEST_F(Program, GetOfOneSettingMakesTwoBusTransfers) {
  const SavedEnvironment restore("QUORLINK_SIM_LOG");
  const std::string log = (scratch / "bus.log").string();
  ::setenv("QUORLINK_SIM_LOG", log.c_str(), 1);
  const CliRun run = Torvix({"--device", "sim", "get", "-v", "Contrast"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "0x3c\n");
  std::istringstream lines(ReadFileBytes(log));
  std::vector<std::string> transfers;
  // Each line without the time in front of it, which is the run's own.
  for (std::string line; std::getline(lines, line);) {
    transfers.push_back(line.substr(line.find(" 0x") + 1));
  }
  EXPECT_THAT(transfers, ElementsAre("0x38 W 01 31 57 status 0", "0x38 R 3c status 0"));
}

TEST_F(Program, ScanAndHelp) {
  EXPECT_EQ(Torvix({"--device", "sim", "scan"}).out, "0x70\n");
  const CliRun help = Torvix({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_THAT(help.out, HasSubstr("profile"));
}

// A script must not believe a profile was saved when it never reached its file.
TEST_F(Program, DataThatCannotBeWrittenToStandardOutputFailsTheRun) {
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"settings"}, std::vector<std::string>{"profile", "save", "-"},
        std::vector<std::string>{"dump", "eeprom", "-"}}) {
    std::vector<std::string> argv = {kTorvix, "--device", "sim"};
    argv.insert(argv.end(), command.begin(), command.end());
    const pid_t pid = SpawnProgram(argv, "/dev/null", "/dev/full", scratch / "err.txt");
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << command[0];
    // A dump fills the stream's buffer, so its write fails before the close that tells why.
    const std::string said = command[0] == "dump"
                                 ? "Error: cannot write standard output\n"
                                 : "Error: cannot write standard output: No space left on device\n";
    EXPECT_EQ(ReadFileBytes(scratch / "err.txt"), said);
  }
}

TEST_F(Program, ACameraOverTheSocketKeepsWhatOneRunWroteForTheNext) {
  ZembrelProcess daemon(kZembrelSim);
  ASSERT_TRUE(daemon.Start());
  const std::vector<std::string> device = {"--device", daemon.Socket()};
  auto torvix = [&](std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), device.begin(), device.end());
    return Torvix(args, input);
  };

  // A profile of the factory camera, then a changed camera, then the profile back.
  const std::string profile = (scratch / "cam.json").string();
  ASSERT_EQ(torvix({"profile", "save", profile}).code, 0);
  ASSERT_EQ(torvix({"set", "Contrast=0x40", "WdrMode=OFF", "AgcControl=on"}).code, 0);
  EXPECT_EQ(torvix({"get", "Contrast"}).out, "16 Contrast            0x57 = 0x40\n");

  // A no to the reset question leaves the camera as it is.
  const CliRun declined = torvix({"reset"}, "n\n");
  EXPECT_EQ(declined.code, 1);
  EXPECT_EQ(torvix({"get", "WdrMode"}).out, " 6 WdrMode             0x07 = 0x00 OFF\n");

  const CliRun applied = torvix({"profile", "apply", profile});
  EXPECT_EQ(applied.code, 0) << applied.err;
  EXPECT_EQ(applied.out,
            " 0 AgcControl          0x02 = 0x29 AGC Off (was 0x2b)\n"
            " 6 WdrMode             0x07 = 0x03 High (was 0x00)\n"
            "16 Contrast            0x57 = 0x3c (was 0x40)\n");
  EXPECT_EQ(torvix({"settings"}).out, Torvix({"--device", "sim", "settings"}).out);

  // The archive a script keeps: the EEPROM dump, as the window writes it.
  const auto dump = scratch / "eeprom.vis";
  ASSERT_EQ(torvix({"dump", "eeprom", dump.string()}).code, 0);
  const std::string bytes = ReadFileBytes(dump);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), EepromFileHeader());
  const std::string golden = ReadFileBytes(kGolden / "eeprom_complete.vis");
  EXPECT_EQ(bytes.substr(bytes.find("\r\n")), golden.substr(golden.find("\r\n")));
}

// A camera whose lock file another program holds for 2 s (in real time) is told in words, and
// nothing is sent.
TEST_F(Program, ACameraAnotherProgramKeepsIsToldInWordsAndLeftAlone) {
  ZembrelProcess daemon(kZembrelSim);
  ASSERT_TRUE(daemon.Start());
  DeviceCameraLock other(SharedLockFolder());
  ::setenv("QUORLINK_DEVICE", daemon.Socket().c_str(), 1);
  ASSERT_TRUE(other.Take());
  ::unsetenv("QUORLINK_DEVICE");
  const CliRun kept = Torvix({"--device", daemon.Socket(), "set", "Contrast=0x40"});
  EXPECT_EQ(kept.code, 1);
  EXPECT_EQ(kept.err, std::string(kCameraBusyMessage) + "\nCamera settings not correctly read\n");
  other.Release();
  EXPECT_EQ(Torvix({"--device", daemon.Socket(), "get", "Contrast"}).out,
            "16 Contrast            0x57 = 0x3c\n");
}

TEST_F(Program, AnInterruptedDumpOverTheSocketExitsWithOne) {
  ZembrelProcess daemon(kZembrelSim);
  ASSERT_TRUE(daemon.Start());
  const auto dump = scratch / "dsp.txt";
  const std::vector<std::string> argv = {kTorvix, "--device", daemon.Socket(),
                                         "dump",  "dsp",      dump.string()};
  const pid_t pid = SpawnProgram(argv, "/dev/null", scratch / "out.txt", scratch / "err.txt");
  ASSERT_GT(pid, 0);
  // The board goes away once the first page is in the file.
  for (int i = 0; i < 1000 && CountLines(ReadFileBytes(dump), "\r\n") < 18; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  daemon.Stop();
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = ReadFileBytes(scratch / "err.txt");
  // Which bridge message comes first depends on the phase the connection broke in.
  const std::string incomplete = "Error: " + dump.string() + " is incomplete: ";
  EXPECT_THAT(err, HasSubstr(incomplete));
  EXPECT_GT(err.find(incomplete), 0u);
  EXPECT_LT(CountLines(ReadFileBytes(dump), "\r\n"), 137);
}

#if defined(__linux__)
// With the real kernel: whatever buses this machine has, listing them never fails.
TEST_F(Program, AnI2cBusThatIsNotThereIsToldInWords) {
  const CliRun missing = Torvix({"--device", "i2c:/dev/i2c-torvix-none", "settings"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_THAT(missing.err, HasSubstr("Error: no such i2c bus /dev/i2c-torvix-none ("));
  EXPECT_EQ(Torvix({"buses"}).code, 0);
}
#endif

}  // namespace
}  // namespace torvix::testing
