// SPDX-License-Identifier: MIT
#include "sim/camera_state_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {
namespace {

namespace fs = std::filesystem;

class CameraStateFileTest : public ::testing::Test {
 protected:
  ScratchFolder scratch_;
  const fs::path& dir_ = scratch_.Path();
  const std::string path_ = (dir_ / "state.json").string();
};

TEST_F(CameraStateFileTest, SavedStateLoadsBackAndLeavesNoTemporaryFile) {
  CameraState state{FactoryBank(0x20), FactoryEeprom()};
  state.registers[0x57] = 0x40;
  state.eeprom[1023] = 0x01;
  std::string error;
  ASSERT_TRUE(SaveCameraState(path_, state, error)) << error;
  CameraState loaded;
  ASSERT_EQ(LoadCameraState(path_, loaded, error), StateLoad::kLoaded) << error;
  EXPECT_EQ(loaded.registers, state.registers);
  EXPECT_EQ(loaded.eeprom, state.eeprom);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CameraStateFileTest, MissingFileIsReportedAsMissing) {
  CameraState state;
  std::string error;
  EXPECT_EQ(LoadCameraState(path_, state, error), StateLoad::kMissing);
}

TEST_F(CameraStateFileTest, DirectoryIsUnreadable) {
  CameraState state;
  std::string error;
  EXPECT_EQ(LoadCameraState(dir_.string(), state, error), StateLoad::kUnreadable);
  EXPECT_NE(error.find(dir_.string()), std::string::npos);
}

// zembrel-sim --state names what is wrong with the path, and a FIFO without a writer does not
// hold up its start.
TEST_F(CameraStateFileTest, AnythingButARegularFileIsRefusedWithWhatItIs) {
  const std::string fifo = (dir_ / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/zero",
       "cannot read state file /dev/zero: it is a character device, not a regular file"},
      {dir_.string(),
       "cannot read state file " + dir_.string() + ": it is a directory, not a regular file"},
      {fifo, "cannot read state file " + fifo + ": it is a FIFO, not a regular file"},
  };
  for (const auto& [path, reason] : cases) {
    CameraState state;
    std::string error;
    EXPECT_EQ(LoadCameraState(path, state, error), StateLoad::kUnreadable) << path;
    EXPECT_EQ(error, reason);
  }
}

// Anything but a whole state file of ours is corrupt, and loading it changes nothing.
class CorruptStateFile : public CameraStateFileTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(CorruptStateFile, IsRefusedAndLeftAsItWas) {
  std::string text = GetParam();
  if (text == "TRUNCATED") {
    std::string error;
    ASSERT_TRUE(SaveCameraState(path_, {FactoryBank(), FactoryEeprom()}, error));
    text = ReadFileBytes(path_).substr(0, 500);
  }
  WriteFileBytes(path_, text);
  CameraState state;
  state.registers[0] = 0x99;
  std::string error;
  EXPECT_EQ(LoadCameraState(path_, state, error), StateLoad::kCorrupt);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(state.registers[0], 0x99);
  EXPECT_EQ(ReadFileBytes(path_), text);
}

INSTANTIATE_TEST_SUITE_P(
    CameraStateFile, CorruptStateFile,
    ::testing::Values("", "not json", "[1,2]", "TRUNCATED",
                      R"({"format": 5, "version": 1, "registers": [], "eeprom": []})",
                      R"({"format": "zembrel-sim camera state", "version": "1"})",
                      R"({"format": "zembrel-sim camera state", "version": 1,
                          "registers": ["00"], "eeprom": []})"));

TEST_F(CameraStateFileTest, BadByteInARowIsCorrupt) {
  std::string error;
  ASSERT_TRUE(SaveCameraState(path_, {FactoryBank(), FactoryEeprom()}, error));
  std::string text = ReadFileBytes(path_);
  const std::size_t at = text.find("5a 61");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 2, "+f");
  WriteFileBytes(path_, text);
  CameraState state;
  EXPECT_EQ(LoadCameraState(path_, state, error), StateLoad::kCorrupt);
}

// A link planted at the temporary name saves used to take, or at the state path, never gets
// its target written; a state file replaced keeps its mode.
TEST_F(CameraStateFileTest, SaveNeverWritesThroughAPlantedLinkAndKeepsTheMode) {
  const std::string target = (dir_ / "target").string();
  std::string error;
  for (const std::string& link : {path_, path_ + ".tmp." + std::to_string(::getpid())}) {
    std::ofstream(target) << "precious";
    fs::create_symlink(target, link);
    SaveCameraState(path_, {FactoryBank(), FactoryEeprom()}, error);
    EXPECT_EQ(ReadFileBytes(target), "precious") << link;
    fs::remove(link);
  }
  ::chmod(path_.c_str(), 0640);  // saved by the second round, beside the planted link
  ASSERT_TRUE(SaveCameraState(path_, {FactoryBank(), FactoryEeprom()}, error)) << error;
  EXPECT_EQ(fs::status(path_).permissions(), static_cast<fs::perms>(0640));
}

TEST_F(CameraStateFileTest, SaveIntoAMissingDirectoryFailsWithAReason) {
  std::string error;
  EXPECT_FALSE(SaveCameraState((dir_ / "no" / "state.json").string(),
                               {FactoryBank(), FactoryEeprom()}, error));
  EXPECT_NE(error.find("cannot write state file"), std::string::npos);
}

}  // namespace
}  // namespace torvix::testing
