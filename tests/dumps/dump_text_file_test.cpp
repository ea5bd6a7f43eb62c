// SPDX-License-Identifier: MIT
#include "dumps/dump_text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "dumps/file_cause_codes.h"
#include "tests/dumps/dump_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

struct ErrnoCase {
  int errnoValue;
  unsigned cause;
};

class FileCauseFromErrnoTest : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(FileCauseFromErrnoTest, MapsTheSystemErrorToItsClass) {
  EXPECT_EQ(FileCauseFromErrno(GetParam().errnoValue), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileCauseFromErrnoTest,
    ::testing::Values(ErrnoCase{0, 0}, ErrnoCase{ENOENT, 3}, ErrnoCase{ENOTDIR, 3},
                      ErrnoCase{ENAMETOOLONG, 3}, ErrnoCase{EMFILE, 4}, ErrnoCase{ENFILE, 4},
                      ErrnoCase{EACCES, 5}, ErrnoCase{EPERM, 5}, ErrnoCase{EROFS, 5},
                      ErrnoCase{EISDIR, 5}, ErrnoCase{EIO, 10}, ErrnoCase{EBUSY, 11},
                      ErrnoCase{ENOSPC, 14}, ErrnoCase{EDOM, 1}, ErrnoCase{-7, 1}));

TEST(FileCauseWords, EveryCodeHasWordsAndUnknownCodesFallBackToGeneric) {
  for (unsigned cause : {0u, 1u, 3u, 4u, 5u, 10u, 11u, 14u}) {
    EXPECT_STRNE(FileCauseWords(cause), "") << cause;
  }
  EXPECT_STREQ(FileCauseWords(14), "the disk is full");
  EXPECT_STREQ(FileCauseWords(999), FileCauseWords(1));
}

TEST(DumpTextFile, EndsEveryLineWithCrLfAndReplacesALongerFile) {
  ScratchFolder scratch;
  const auto path = scratch / "out.txt";
  WriteFileBytes(path, std::string(5000, 'x'));
  DumpTextFile file;
  ASSERT_TRUE(file.Open(path.string()));
  ASSERT_TRUE(file.WriteLine("ab"));
  ASSERT_TRUE(file.WriteLine(""));
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadFileBytes(path), "ab\r\n\r\n");
}

TEST(DumpTextFile, EachLineIsOnDiskBeforeTheNextIsWritten) {
  ScratchFolder scratch;
  const auto path = scratch / "out.txt";
  DumpTextFile file;
  ASSERT_TRUE(file.Open(path.string()));
  ASSERT_TRUE(file.WriteLine("first"));
  EXPECT_EQ(ReadFileBytes(path), "first\r\n");
}

struct OpenCase {
  const char* name;
  std::string relative;  // under the scratch folder; "" for the folder itself
  unsigned cause;
};

class DumpTextFileOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(DumpTextFileOpen, FailsWithTheCauseAndCreatesNothing) {
  ScratchFolder scratch;
  const auto path = scratch / GetParam().relative;
  DumpTextFile file;
  EXPECT_FALSE(file.Open(path.string()));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Cause(), GetParam().cause);
  EXPECT_FALSE(file.WriteLine("x"));
}

INSTANTIATE_TEST_SUITE_P(Failures, DumpTextFileOpen,
                         ::testing::Values(OpenCase{"MissingFolder", "no/such/folder/out.txt", 3},
                                           OpenCase{"Folder", "", 5},
                                           OpenCase{"NameTooLong", std::string(300, 'n'), 3}),
                         CaseName());

TEST(DumpTextFile, RefusesAPathWithAZeroByteInsteadOfOpeningItsPrefix) {
  ScratchFolder scratch;
  const auto prefix = scratch / "a.txt";
  DumpTextFile file;
  EXPECT_FALSE(file.Open(prefix.string() + std::string(1, '\0') + "b"));
  EXPECT_EQ(file.Cause(), 3u);
  EXPECT_FALSE(std::filesystem::exists(prefix));
  EXPECT_FALSE(file.Open(""));
  EXPECT_EQ(file.Cause(), 3u);
}

TEST(DumpTextFile, ReportsAFullDiskAtTheLineThatFailed) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  DumpTextFile file;
  ASSERT_TRUE(file.Open("/dev/full"));
  EXPECT_FALSE(file.WriteLine("line"));
  EXPECT_EQ(file.Cause(), 14u);
}

}  // namespace
}  // namespace torvix::testing
