// SPDX-License-Identifier: MIT
// The built torvix run as a script runs it: against the in-process virtual camera
// (--device sim, a factory-fresh camera every run) and against zembrel-sim over its socket,
// where the camera keeps its state from one run to the next.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <functional>
#include <regex>
#include <sstream>

#include "dumps/eeprom_dump_file.h"
#include "tests/cli/program_run.h"
#include "tests/support/saved_environment.h"
#include "tests/support/shared_camera.h"
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

// A script must not believe a profile was saved when it never reached its file: onto a full
// disk, or into a closed pipe from a shell (`| true`: SIGPIPE ended it without a word, 141,
// and left the dump's spool behind).
TEST_F(Program, DataThatCannotBeWrittenToStandardOutputFailsTheRun) {
  const SavedEnvironment restore("TMPDIR");
  const auto spools = scratch / "tmp";
  std::filesystem::create_directory(spools);
  ::setenv("TMPDIR", spools.c_str(), 1);
  const std::string err = (scratch / "err.txt").string();
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"settings"}, std::vector<std::string>{"profile", "save", "-"},
        std::vector<std::string>{"dump", "eeprom", "-"}}) {
    std::vector<std::string> argv = {kTorvix, "--device", "sim"};
    argv.insert(argv.end(), command.begin(), command.end());
    EXPECT_EQ(WaitForExit(SpawnProgram(argv, "/dev/null", "/dev/full", err)), 1) << command[0];
    // A dump fills the stream's buffer, so its write fails before the close that tells why.
    const std::string said = command[0] == "dump"
                                 ? "Error: cannot write standard output\n"
                                 : "Error: cannot write standard output: No space left on device\n";
    EXPECT_EQ(ReadFileBytes(err), said);
    EXPECT_EQ(WaitForExit(SpawnProgram(argv, "/dev/null", kClosedPipe, err)), 1) << command[0];
    EXPECT_THAT(ReadFileBytes(err), ::testing::StartsWith("Error: cannot write standard output"));
    EXPECT_TRUE(std::filesystem::is_empty(spools)) << command[0];
  }
}

// Each change is on the record the moment it is written, and a signal stops the run between two
// writes in words that say where: stopped after 7 settings, stdout and stderr stayed empty.
TEST_F(Program, AnInterruptedSetKeepsTheRecordOfWhatItWrote) {
  std::vector<std::string> argv = {kTorvix, "--device", "sim", "set"};
  argv.resize(argv.size() + 12, "Contrast=0x40");
  const auto out = scratch / "out.txt";
  const pid_t pid = SpawnProgram(argv, "/dev/null", out, scratch / "err.txt");
  for (int i = 0; i < 1000 && CountLines(ReadFileBytes(out)) < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::kill(pid, SIGTERM);
  EXPECT_EQ(WaitForExit(pid), 143);
  EXPECT_EQ(ReadFileBytes(scratch / "err.txt"), "Error: interrupted before Contrast; " +
                                                    std::to_string(CountLines(ReadFileBytes(out))) +
                                                    " setting(s) changed before it\n");
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

// Two programs writing their own register again and again: unlocked, the one's select came
// between the other's select and value, and Contrast's value landed in Brightness.
TEST_F(Program, TwoProgramsWritingInALoopNeverMixTheirWrites) {
  const std::string log = (scratch / "bus.log").string();
  const SharedCamera camera(kZembrelSim, {"--log", log});
  std::vector<pid_t> runs;
  for (const std::string name : {"Contrast=0x4", "Brightness=0x1"}) {
    std::vector<std::string> argv = {kTorvix, "set"};
    for (int i = 0; i < 12; ++i) argv.push_back(name + std::to_string(i % 2));
    runs.push_back(SpawnProgram(argv, "/dev/null", "/dev/null", "/dev/null"));
  }
  for (const pid_t run : runs) EXPECT_EQ(WaitForExit(run), 0);
  // Each of the 12 values right after the select of its own register.
  const std::string bus = ReadFileBytes(log);
  for (const char* written : {R"(W 00 30 57 status 0\n +[0-9.]+ 0x38 W 4[01] status)",
                              R"(W 00 30 54 status 0\n +[0-9.]+ 0x38 W 1[01] status)"}) {
    const std::regex pair(written);
    EXPECT_EQ(std::distance(std::sregex_iterator(bus.begin(), bus.end(), pair), {}), 12);
  }
}

// Whatever another user put in the lock's place, or took away, the camera is not reached
// without it: with a link planted there, two runs put values into each other's registers.
TEST_F(Program, ALockThatCannotBeTakenIsNeverTakenForNone) {
  const SharedCamera camera(kZembrelSim);
  const std::string lock = camera.LockFile();
  const std::pair<std::function<int()>, const char*> plants[] = {
      {[] { return 0; }, "No such file or directory"},
      {[&] { return ::symlink("/etc/passwd", lock.c_str()); }, "it is a symbolic link"},
      {[&] { return ::mkfifo(lock.c_str(), 0666); }, "it is not a regular file"},
      {[&] { return ::mkdir(lock.c_str(), 0777); }, "Is a directory"}};
  for (const auto& [plant, reason] : plants) {
    ::unlink(lock.c_str());
    ASSERT_EQ(plant(), 0) << reason;
    EXPECT_EQ(Torvix({"set", "Contrast=0x40"}).err, "The camera's lock " + lock +
                                                        " cannot be taken: " + reason +
                                                        "\nCamera settings not correctly read\n");
  }
}

// A dump takes the camera 2048 times in a row; a program that wants it once gets in between.
// Each such read once gave up after 2 s, saying the camera had been in use all that time.
TEST_F(Program, AReadFromAnotherProgramGetsInBetweenADumpsReads) {
  const SharedCamera camera(kZembrelSim);
  const auto dump = scratch / "dsp.txt";
  const pid_t pid =
      SpawnProgram({kTorvix, "dump", "dsp", dump.string()}, "/dev/null", "/dev/null", "/dev/null");
  for (int i = 0; i < 1000 && CountLines(ReadFileBytes(dump), "\r\n") < 18; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const CliRun read = Torvix({"get", "-v", "Contrast"});
  EXPECT_LT(CountLines(ReadFileBytes(dump), "\r\n"), 137);  // the dump ran all along
  ::kill(pid, SIGKILL);
  EXPECT_EQ(read.out, "0x3c\n") << read.err;
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
