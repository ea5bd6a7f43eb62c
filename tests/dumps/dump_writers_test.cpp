// SPDX-License-Identifier: MIT
// The two writers on a camera with a known pattern: access order, pauses, layout, failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <regex>

#if defined(__unix__)
#include <sys/resource.h>

#include <csignal>
#endif

#include "dumps/build_stamp.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/dumps/dump_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using FailAt = PatternCameraBridge::FailAt;

enum class Dump { kDsp, kEeprom };

DumpResult write(Dump dump, CameraLink& link, MessageHost& messages, const std::string& path,
                 const DumpProgress& progress = {}) {
  return dump == Dump::kDsp ? WriteDspSettingsFile(link, messages, path, progress)
                            : WriteEepromDumpFile(link, messages, path, progress);
}

int groupsOf(Dump dump) { return dump == Dump::kDsp ? 8 : 4; }
int subAddressOf(Dump dump) { return dump == Dump::kDsp ? 0x81 : 0x01; }
int targetOf(Dump dump, int group) { return dump == Dump::kDsp ? group : 0xA0 + 2 * group; }

std::vector<std::string> titleOf(Dump dump, int group) {
  if (dump == Dump::kDsp) return {"// Group " + std::to_string(group)};
  return {"//", "// Page " + std::to_string(group)};
}

// The data line of the pattern camera, entries from column `valid` on shown as "??".
std::string patternLine(int target, int row, int valid = 16) {
  std::string line;
  for (int c = 0; c < 16; ++c) {
    char entry[4];
    std::snprintf(entry, sizeof entry, c < valid ? "%02X" : "??",
                  PatternValue(target, row * 16 + c));
    if (c > 0) line += ' ';
    line += entry;
  }
  return line;
}

class DumpWriter : public DumpFixture, public ::testing::WithParamInterface<Dump> {
 protected:
  Dump dump() const { return GetParam(); }
  std::string path() const { return (scratch / "dump.txt").string(); }
};

TEST_P(DumpWriter, ReadsEveryRegisterOnceInAscendingOrderWithItsPauses) {
  const DumpResult result = write(dump(), link, messages, path());
  EXPECT_TRUE(result.Complete());
  std::vector<ReadRequest> expected;
  for (int group = 0; group < groupsOf(dump()); ++group) {
    for (int offset = 0; offset < 256; ++offset) {
      expected.emplace_back(subAddressOf(dump()), targetOf(dump(), group), offset);
    }
  }
  EXPECT_EQ(bridge.Requests(), expected);
  EXPECT_EQ(bridge.Writes(), 0) << "a dump never writes the camera";
  // 2 ms after each request, 1 ms after each read, nothing else.
  const auto& pauses = clock.Pauses();
  ASSERT_EQ(pauses.size(), expected.size() * 2);
  for (std::size_t i = 0; i < pauses.size(); ++i) {
    ASSERT_EQ(pauses[i], Milliseconds(i % 2 == 0 ? 2 : 1)) << i;
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_P(DumpWriter, WritesTheCompleteLayoutWithCrLfLineEnds) {
  const DumpResult result = write(dump(), link, messages, path());
  const std::string bytes = ReadFileBytes(path());
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
            std::count(bytes.begin(), bytes.end(), '\r'));
  const std::vector<std::string> lines = CrLfLines(bytes);
  std::vector<std::string> expected;
  expected.push_back(dump() == Dump::kDsp ? kDspFileHeader : EepromFileHeader());
  for (int group = 0; group < groupsOf(dump()); ++group) {
    for (const std::string& title : titleOf(dump(), group)) expected.push_back(title);
    for (int row = 0; row < 16; ++row) {
      expected.push_back(patternLine(targetOf(dump(), group), row));
    }
  }
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(static_cast<int>(lines.size()), dump() == Dump::kDsp ? 137 : 73);
  EXPECT_EQ(result.linesWritten, static_cast<int>(lines.size()));
}

TEST_P(DumpWriter, ReplacesALongerExistingFile) {
  WriteFileBytes(path(), std::string(std::size_t{64} * 1024, 'z'));
  write(dump(), link, messages, path());
  const std::string bytes = ReadFileBytes(path());
  EXPECT_EQ(bytes.find('z'), std::string::npos);
  EXPECT_EQ(CrLfLines(bytes).size(), dump() == Dump::kDsp ? 137u : 73u);
}

TEST_P(DumpWriter, AnUnwritablePathIsReportedAndTheCameraIsNotTouched) {
  const std::string bad = (scratch / "missing" / "dump.txt").string();
  const DumpResult result = write(dump(), link, messages, bad);
  EXPECT_EQ(result.outcome, DumpOutcome::kOpenFailed);
  EXPECT_EQ(result.cause, 3u);
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): Can't open file " + bad + ", error = 3\n"));
  EXPECT_TRUE(bridge.Requests().empty());
  EXPECT_TRUE(clock.Pauses().empty());
}

TEST_P(DumpWriter, AFullDiskIsReportedInWordsAndStopsTheDump) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const DumpResult result = write(dump(), link, messages, "/dev/full");
  EXPECT_EQ(result.outcome, DumpOutcome::kWriteFailed);
  EXPECT_EQ(result.cause, 14u);
  EXPECT_THAT(boxes, ::testing::ElementsAre(
                         "Box(0x00): Can't write file /dev/full: the disk is full, error = 14\n"));
  EXPECT_TRUE(bridge.Requests().empty()) << "the header failed, so nothing was read";
}

#if defined(__unix__)
// The medium fills up in the middle of the dump: here a file size limit of 3000 bytes.
TEST_P(DumpWriter, AWriteFailingMidwayKeepsWhatWasWrittenAndReadsNoFurther) {
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = before;
  limited.rlim_cur = 3000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const DumpResult result = write(dump(), link, messages, path());
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result.outcome, DumpOutcome::kWriteFailed);
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): Can't write file " + path() +
                                            ": the disk is full, error = 14\n"));
  const std::string bytes = ReadFileBytes(path());
  EXPECT_EQ(bytes.size(), 3000u);
  // The file holds the complete lines written before the failing one, byte for byte.
  std::string complete = bytes.substr(0, bytes.rfind("\r\n") + 2);
  std::vector<std::string> lines = CrLfLines(complete);
  EXPECT_EQ(static_cast<int>(lines.size()), result.linesWritten);
  // 16 reads per data line written, and those of the data line that could not be written.
  const auto dataLines = std::count_if(lines.begin(), lines.end(),
                                       [](const std::string& l) { return l.rfind("//", 0) != 0; });
  EXPECT_EQ(static_cast<int>(bridge.Requests().size()), (dataLines + 1) * 16);
}
#endif

TEST_P(DumpWriter, ReportsProgressAfterEveryDataLine) {
  std::vector<std::pair<int, int>> calls;
  write(dump(), link, messages, path(),
        [&](int done, int total) { calls.emplace_back(done, total); });
  const int rows = groupsOf(dump()) * 16;
  ASSERT_EQ(static_cast<int>(calls.size()), rows);
  for (int i = 0; i < rows; ++i) {
    EXPECT_EQ(calls[static_cast<std::size_t>(i)], std::make_pair(i + 1, rows));
  }
}

TEST_P(DumpWriter, LeavesTheShadowBlockAsItWas) {
  link.Block().SettingsShadow[3] = 0x5A;
  const CameraBlock before = link.Block();
  write(dump(), link, messages, path());
  EXPECT_EQ(std::memcmp(&before, &link.Block(), sizeof before), 0);
}

INSTANTIATE_TEST_SUITE_P(Both, DumpWriter, ::testing::Values(Dump::kDsp, Dump::kEeprom),
                         [](const auto& row) {
                           return std::string(row.param == Dump::kDsp ? "Dsp" : "Eeprom");
                         });

struct ReadFailure {
  const char* name;
  Dump dump;
  int group, row, column;
  FailAt where;
};

class DumpReadFailure : public DumpFixture, public ::testing::WithParamInterface<ReadFailure> {};

// The file ends with the data line of the failed read; that entry and the ones after it were
// never read from the camera and show "??", whatever the earlier lines held.
TEST_P(DumpReadFailure, EndsWithTheFailedLineShowingNoValueForUnreadEntries) {
  const ReadFailure& f = GetParam();
  const int failedRead = (f.group * 16 + f.row) * 16 + f.column;
  bridge.FailRead(failedRead, f.where);
  const std::string path = (scratch / "dump.txt").string();
  const DumpResult result = write(f.dump, link, messages, path);

  EXPECT_EQ(result.outcome, DumpOutcome::kReadFailed);
  EXPECT_EQ(std::tie(result.group, result.row, result.column), std::tie(f.group, f.row, f.column));
  EXPECT_EQ(static_cast<int>(bridge.Requests().size()), failedRead + 1) << "nothing read after";
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): not a correct acknowledge recieved"));

  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(path));
  const int titleLines = static_cast<int>(titleOf(f.dump, 0).size());
  const int expectedLines = 1 + (f.group + 1) * titleLines + f.group * 16 + f.row + 1;
  ASSERT_EQ(static_cast<int>(lines.size()), expectedLines);
  EXPECT_EQ(lines.back(), patternLine(targetOf(f.dump, f.group), f.row, f.column));
  EXPECT_EQ(lines[static_cast<std::size_t>(expectedLines - 2 - f.row)],
            titleOf(f.dump, f.group).back());
  if (f.row > 0) {
    EXPECT_EQ(lines[static_cast<std::size_t>(expectedLines - 2)],
              patternLine(targetOf(f.dump, f.group), f.row - 1));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DumpReadFailure,
    ::testing::Values(ReadFailure{"DspPage3Row5", Dump::kDsp, 3, 5, 9, FailAt::kRequest},
                      ReadFailure{"DspPage3Row5OnTheRead", Dump::kDsp, 3, 5, 9, FailAt::kRead},
                      ReadFailure{"DspFirstRegister", Dump::kDsp, 0, 0, 0, FailAt::kRead},
                      ReadFailure{"DspLastRegister", Dump::kDsp, 7, 15, 15, FailAt::kRequest},
                      ReadFailure{"EepromBlock1Row0", Dump::kEeprom, 1, 0, 0, FailAt::kRequest},
                      ReadFailure{"EepromBlock1Row0OnTheRead", Dump::kEeprom, 1, 0, 4,
                                  FailAt::kRead},
                      ReadFailure{"EepromLastColumn", Dump::kEeprom, 2, 7, 15, FailAt::kRead}),
    CaseName());

TEST(EepromFileHeader, CarriesTheBuildDateAndTimeInTheirFixedForms) {
  const std::regex form(
      "// EEPROM Settings Peldra, date: "
      "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) ([ 1-3][0-9]) [0-9]{4} @ "
      "([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]");
  EXPECT_TRUE(std::regex_match(EepromFileHeader(), form)) << EepromFileHeader();
}

// Made from time(), the header would read the moment of the dump; the build is older.
TEST(EepromFileHeader, IsTheBuildsStampNotTheWallClock) {
  const std::time_t before = std::time(nullptr);
  const std::string header = EepromFileHeader();
  const std::time_t after = std::time(nullptr);
  EXPECT_EQ(header,
            std::string("// EEPROM Settings Peldra, date: ") + BuildDate() + " @ " + BuildTime());
  for (std::time_t now = before; now <= after; ++now) {
    // The day space-padded as the build stamp has it ("%e", which not every C library knows).
    char wallClock[40];
    std::strftime(wallClock, sizeof wallClock, "%b %d %Y @ %H:%M:%S", std::localtime(&now));
    if (wallClock[4] == '0') wallClock[4] = ' ';
    EXPECT_EQ(header.find(wallClock), std::string::npos) << header;
  }
}

class EepromHeader : public DumpFixture {};

TEST_F(EepromHeader, TwoDumpsOfOneBuildHaveTheSameHeaderLine) {
  const auto first = scratch / "first.vis";
  const auto second = scratch / "second.vis";
  WriteEepromDumpFile(link, messages, first.string());
  clock.Advance(std::chrono::hours(24));
  WriteEepromDumpFile(link, messages, second.string());
  EXPECT_EQ(CrLfLines(ReadFileBytes(first)).front(), CrLfLines(ReadFileBytes(second)).front());
  EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
}

}  // namespace
}  // namespace torvix::testing
