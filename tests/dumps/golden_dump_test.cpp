// SPDX-License-Identifier: MIT
// Both dumps of a factory-fresh virtual camera through the real bridge library, compared byte
// for byte with the golden files (made from the camera's documented contents by
// golden/make_golden.py).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "clock/virtual_clock.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/support/camera_on_sim.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {
namespace {

const std::filesystem::path kGolden = TORVIX_DUMPS_GOLDEN_DIR;

// Everything after the first line end: the EEPROM header carries the build's stamp.
std::string afterFirstLine(const std::string& bytes) {
  const std::size_t end = bytes.find("\r\n");
  return end == std::string::npos ? std::string() : bytes.substr(end + 2);
}

std::string firstLine(const std::string& bytes) { return bytes.substr(0, bytes.find("\r\n")); }

class GoldenDump : public ::testing::Test, protected CameraOnSim {
 protected:
  // The camera stops answering right after it received this read request, so the one-byte
  // read that follows fails with a data NACK.
  void failReadAfterRequest(const std::vector<uint8_t>& request) {
    rig().Log().SetSink([this, request](const BusTransfer& transfer) {
      if (transfer.direction == Direction::kWrite && transfer.bytes == request) {
        rig().Faults().forcedStatus = kStatusDataNack;
      }
    });
  }

  // True when the bus saw anything but the dump's read requests and one-byte reads.
  bool cameraWasWritten() const {
    for (const BusTransfer& t : SimRig::Instance().Log().Entries()) {
      if (t.direction == Direction::kWrite && t.bytes.size() != 3) return true;
      if (t.direction == Direction::kWrite && (t.bytes[0] & 1) == 0) return true;
    }
    return false;
  }

  VirtualClock clock;
  ScopedClock useClock{clock};
  ScratchFolder scratch;
};

TEST_F(GoldenDump, DspSettingsFileOfAFreshCameraMatchesTheGolden) {
  const auto path = scratch / "dsp.txt";
  const uint64_t generation = rig().Camera().Generation();
  EXPECT_TRUE(WriteDspSettingsFile(link, messages, path.string()).Complete());
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGolden / "dsp_complete.txt"));
  EXPECT_EQ(rig().Log().Size(), 2u * 2048u);
  EXPECT_FALSE(cameraWasWritten());
  EXPECT_EQ(rig().Camera().Generation(), generation);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(GoldenDump, EepromDumpOfAFreshCameraMatchesTheGolden) {
  const auto path = scratch / "eeprom.vis";
  EXPECT_TRUE(WriteEepromDumpFile(link, messages, path.string()).Complete());
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(afterFirstLine(bytes), afterFirstLine(ReadFileBytes(kGolden / "eeprom_complete.vis")));
  EXPECT_EQ(firstLine(bytes), EepromFileHeader());
  EXPECT_EQ(rig().Log().Size(), 2u * 1024u);
  EXPECT_FALSE(cameraWasWritten());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(GoldenDump, AReadFailingAtPage3Row5EndsTheFileWithThatLine) {
  failReadAfterRequest({0x81, 0x03, 0x59});
  const auto path = scratch / "dsp.txt";
  const DumpResult result = WriteDspSettingsFile(link, messages, path.string());
  EXPECT_EQ(result.outcome, DumpOutcome::kReadFailed);
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGolden / "dsp_fail_page3_row5.txt"));
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): not a correct acknowledge recieved"));
}

TEST_F(GoldenDump, AReadFailingAtBlock1Row0EndsTheFileWithThatLine) {
  failReadAfterRequest({0x01, 0xA2, 0x00});
  const auto path = scratch / "eeprom.vis";
  const DumpResult result = WriteEepromDumpFile(link, messages, path.string());
  EXPECT_EQ(result.outcome, DumpOutcome::kReadFailed);
  EXPECT_EQ(afterFirstLine(ReadFileBytes(path)),
            afterFirstLine(ReadFileBytes(kGolden / "eeprom_fail_block1_row0.vis")));
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): not a correct acknowledge recieved"));
}

TEST_F(GoldenDump, AMissingCameraGivesTheConnectionMessageAndALineWithNoValues) {
  rig().SetCameraPresent(false);
  const auto path = scratch / "dsp.txt";
  WriteDspSettingsFile(link, messages, path.string());
  EXPECT_EQ(ReadFileBytes(path),
            "// All DSP Settings PeldraW\r\n// Group 0\r\n"
            "?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??\r\n");
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): error: USB_I2C_NACK",
                                            "Box(0x00): Is board connected to camera (on?)"));
}

TEST_F(GoldenDump, AnUnwritablePathLeavesTheBusQuiet) {
  const std::string bad = (scratch / "no" / "such" / "eeprom.vis").string();
  EXPECT_EQ(WriteEepromDumpFile(link, messages, bad).outcome, DumpOutcome::kOpenFailed);
  EXPECT_EQ(rig().Log().Size(), 0u);
  EXPECT_THAT(boxes, ::testing::ElementsAre("Box(0x00): Can't open file " + bad + ", error = 3\n"));
}

}  // namespace
}  // namespace torvix::testing
