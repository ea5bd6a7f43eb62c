// SPDX-License-Identifier: MIT
// torvix dump, scan and reset on the virtual camera.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "dumps/eeprom_dump_file.h"
#include "tests/cli/cli_fixture.h"
#if !defined(_WIN32)
#include "tests/support/saved_environment.h"
#endif

namespace torvix::testing {
namespace {

using ::testing::HasSubstr;

const std::filesystem::path kGolden = TORVIX_DUMPS_GOLDEN_DIR;

std::string afterFirstLine(const std::string& bytes) {
  const std::size_t end = bytes.find("\r\n");
  return end == std::string::npos ? std::string() : bytes.substr(end + 2);
}

using Dump = CliOnSim;

TEST_F(Dump, DspFileIsTheWindowsFileByteForByte) {
  const auto path = scratch / "dsp.txt";
  const CliRun run = Run({"dump", "dsp", path.string()});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");  // not a terminal: no progress bar
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGolden / "dsp_complete.txt"));
}

TEST_F(Dump, EepromFileIsTheWindowsFileByteForByte) {
  const auto path = scratch / "eeprom.vis";
  WriteFileBytes(path, std::string(10000, 'x'));  // replaced, not appended to
  const CliRun run = Run({"dump", "eeprom", path.string()});
  EXPECT_EQ(run.code, 0) << run.err;
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), EepromFileHeader());
  EXPECT_EQ(afterFirstLine(bytes), afterFirstLine(ReadFileBytes(kGolden / "eeprom_complete.vis")));
}

TEST_F(Dump, ATerminalGetsAProgressBarThatEndsFullOnItsOwnLine) {
  const CliRun run = Run({"dump", "eeprom", (scratch / "e.vis").string()}, "", true);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(CountLines(run.err, "\r["), 4 * 16);
  EXPECT_THAT(run.err, ::testing::EndsWith("] 100% \n"));
  EXPECT_THAT(run.err, HasSubstr("\r[##########                              ]  25% "));
}

// "-" is standard output, as for profile save; the bar and the words stay on stderr, and the
// spool the dump went through is gone.
TEST_F(Dump, ToStandardOutputGivesTheFilesBytesAndTheBarStaysOnStderr) {
  const std::filesystem::path spools = scratch / "tmp";
  std::filesystem::create_directory(spools);
#if !defined(_WIN32)
  const SavedEnvironment restore("TMPDIR");
  ::setenv("TMPDIR", spools.c_str(), 1);
#endif
  const CliRun run = Run({"dump", "dsp", "-"}, "", true);
  textStdout = true;
  const CliRun text = Run({"dump", "dsp", "-"});
  EXPECT_EQ(run.code, 0) << run.err;
  const std::string golden = ReadFileBytes(kGolden / "dsp_complete.txt");
  EXPECT_EQ(run.out, golden);
  EXPECT_EQ(CountLines(run.err, "\r["), 8 * 16);
  EXPECT_THAT(run.err, ::testing::EndsWith("] 100% \n"));
  // A text stream that adds the CR itself is given LF alone.
  std::string lf = golden;
  for (std::size_t at = lf.find('\r'); at != std::string::npos; at = lf.find('\r', at)) {
    lf.erase(at, 1);
  }
  EXPECT_EQ(text.out, lf);
  EXPECT_TRUE(std::filesystem::is_empty(spools));
#if !defined(_WIN32)
  ::setenv("TMPDIR", "", 1);  // set but empty: /tmp, as for mktemp
  EXPECT_EQ(Run({"dump", "dsp", "-"}).out, lf);
#endif
}

TEST_F(Dump, AnInterruptedDumpSaysSoAndExitsWithOne) {
  // The camera stops answering right after the request for page 3, offset 0x59.
  rig().Log().SetSink([this](const BusTransfer& t) {
    if (t.direction == Direction::kWrite && t.bytes == std::vector<uint8_t>{0x81, 0x03, 0x59}) {
      rig().Faults().forcedStatus = kStatusDataNack;
    }
  });
  const auto path = scratch / "dsp.txt";
  const CliRun run = Run({"dump", "dsp", path.string()}, "", true);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGolden / "dsp_fail_page3_row5.txt"));
  const int lines = CountLines(ReadFileBytes(path), "\r\n");
  EXPECT_THAT(run.err, HasSubstr("% \nnot a correct acknowledge recieved\nError: " + path.string() +
                                 " is incomplete: " + std::to_string(lines) +
                                 " of 137 lines, the read of page 3, row 5, column 9 failed\n"));
}

// The camera answers one read before the file is opened; nothing is read after the open failed.
TEST_F(Dump, AFileThatCannotBeCreatedStopsTheDumpAfterTheFirstRead) {
  const std::string path = (scratch / "missing" / "dsp.txt").string();
  const CliRun run = Run({"dump", "dsp", path});
  EXPECT_EQ(run.code, 1);
  EXPECT_THAT(run.err, ::testing::StartsWith("Can't open file " + path + ", error = "));
  EXPECT_EQ(CountLines(run.err), 1);
  EXPECT_EQ(rig().Log().Size(), 2u);
}

TEST_F(Dump, WithoutABoardAnEarlierDumpStaysAsItWas) {
  rig().Board().absent = true;
  for (const char* kind : {"dsp", "eeprom"}) {
    const std::string path = (scratch / kind).string();
    WriteFileBytes(path, "an earlier dump\r\n");
    const CliRun run = Run({"dump", kind, path});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(ReadFileBytes(path), "an earlier dump\r\n");
    EXPECT_THAT(run.err, HasSubstr(" error: no (correct)connection PC to USB-I2C board\n"));
    EXPECT_THAT(run.err,
                HasSubstr("Error: nothing written to " + path + ": the camera did not answer\n"));
  }
}

struct DumpSignal {
  int signal;
  int code;
  bool toStdout;
};

class InterruptedDump : public CliOnSim, public ::testing::WithParamInterface<DumpSignal> {};

// The signal comes while page 3, offset 0x59 is read: that read ends, and nothing is read after.
TEST_P(InterruptedDump, EndsTheFileAsTheWindowsCancelDoesAndExitsWith128PlusTheSignal) {
  const std::vector<uint8_t> request = {0x81, 0x03, 0x59};
  rig().Log().SetSink([&request](const BusTransfer& t) {
    if (t.direction == Direction::kWrite && t.bytes == request) std::raise(GetParam().signal);
  });
  const std::string path = GetParam().toStdout ? "-" : (scratch / "dsp.txt").string();
  const CliRun run = Run({"dump", "dsp", path});
  EXPECT_EQ(run.code, GetParam().code);
  const std::string shown = GetParam().toStdout ? "standard output" : path;
  EXPECT_EQ(run.err, "Error: " + shown +
                         " is incomplete: 59 of 137 lines, interrupted "
                         "before the read of page 3, row 5, column 10\n");
  const std::string bytes = GetParam().toStdout ? run.out : ReadFileBytes(path);
  const std::string complete = ReadFileBytes(kGolden / "dsp_complete.txt");
  // Ten entries read ("XX " each), then six that were not.
  const std::size_t lastLine = bytes.rfind("\r\n", bytes.size() - 3) + 2;
  EXPECT_EQ(CountLines(bytes, "\r\n"), 59);
  EXPECT_EQ(bytes, complete.substr(0, lastLine + std::size_t{10} * 3) + "?? ?? ?? ?? ?? ??\r\n");
  EXPECT_EQ(rig().Log()[rig().Log().Size() - 2].bytes, request);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedDump,
                         ::testing::Values(DumpSignal{SIGINT, 130, false},
                                           DumpSignal{SIGTERM, 143, false},
                                           DumpSignal{SIGINT, 130, true}));

#if !defined(_WIN32)
// A closed terminal too: it ended torvix and left the spool of standard output behind.
INSTANTIATE_TEST_SUITE_P(HangUp, InterruptedDump, ::testing::Values(DumpSignal{SIGHUP, 129, true}));

// A Ctrl-C the shell told torvix to ignore (trap '' INT, a script's background job) was meant
// for another job: the dump stopped at 25 of 73 lines.
TEST_F(Dump, ASignalIgnoredWhenTorvixStartedIsLeftIgnored) {
  rig().Log().SetSink([](const BusTransfer&) { std::raise(SIGINT); });
  std::signal(SIGINT, SIG_IGN);
  const CliRun run = Run({"dump", "eeprom", "-"});
  std::signal(SIGINT, SIG_DFL);
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out, "\r\n"), 73);
}
#endif

using Scan = CliOnSim;

TEST_F(Scan, PrintsTheCamerasAddress) {
  const CliRun run = Run({"scan"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "0x70\n");
}

TEST_F(Scan, TheLowestAnsweringAddressWins) {
  rig().AddDevice(0x20);
  EXPECT_EQ(Run({"scan"}).out, "0x20\n");
}

TEST_F(Scan, NothingAnsweringSaysNoCameraDetected) {
  rig().SetCameraPresent(false);
  const CliRun run = Run({"scan"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "No Camera detected\n");  // the probes themselves are silent
}

#if !defined(_WIN32)
// The library has one code and the same words for every device that will not open; torvix adds
// the system's reason. A scan that cannot reach the board stops at once and does not blame the
// camera.
TEST_F(Scan, ADeviceThatWillNotOpenIsNamedWithTheSystemsReason) {
  const std::string file = (scratch / "file").string();
  WriteFileBytes(file, "");
  const std::string idle = (scratch / "idle.sock").string();
  const int bound = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, idle.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(bound, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const std::string missing = (scratch / "none.sock").string();
  const std::string longPath = "/tmp/" + std::string(120, 'x');
  const std::pair<std::string, std::string> cases[] = {
      {missing, "No such file or directory"},
      {file, "it is a regular file, not a socket"},
      {idle, "Connection refused (nothing serves it)"},
      {longPath, "the path is too long for a socket (125 bytes, at most 107)"},
  };
  for (const auto& [device, reason] : cases) {
    const CliRun run = RunBare({"--device", device, "scan"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              " error: no (correct)connection PC to USB-I2C board\n"
              " Check if board is connected to PC and/or verify driver\n"
              "Error: cannot open device " +
                  device + ": " + reason + "\n");
  }
  ::close(bound);
  ::setenv("QUORLINK_DEVICE", "sim", 1);
}
#endif

using Reset = CliOnSim;

TEST_F(Reset, ANoLeavesTheCameraAlone) {
  camera().SetRegister(0x57, 0x40);
  // Past its bound an answer is no, read no further: /dev/zero was read for ever.
  for (const std::string& answer :
       std::vector<std::string>{"n\n", "", "yesno\n", "y" + std::string(5000, ' ')}) {
    const CliRun run = Run({"reset"}, answer);
    EXPECT_EQ(run.code, 1) << answer;
    EXPECT_THAT(run.err, ::testing::StartsWith("Are you sure to load the Default settings"));
    EXPECT_THAT(run.err, HasSubstr("Aborting on user request.\n"));
  }
  EXPECT_EQ(rig().Log().Size(), 0u);
  EXPECT_EQ(camera().Register(0x57), 0x40);
}

TEST_F(Reset, AYesLoadsTheDefaultsWaitsAndShowsWhatTheCameraReports) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"reset"}, std::vector<std::string>{"reset", "-y"}}) {
    camera().SetRegister(0x57, 0x40);
    clock.ClearPauses();
    const CliRun run = Run(args, args.size() == 1 ? "Y\n" : "");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(camera().Register(0x57), 0x3c);
    EXPECT_THAT(run.out, HasSubstr("16 Contrast            0x57 = 0x3c "));
    EXPECT_EQ(CountLines(run.out), kSettingCount);
    EXPECT_THAT(clock.Pauses(), ::testing::Contains(Milliseconds{1500}));
  }
  // -y asks nothing.
  EXPECT_EQ(Run({"reset", "-y"}).err, "");
}

}  // namespace
}  // namespace torvix::testing
