// SPDX-License-Identifier: MIT
// zembrel-sim killed (SIGKILL) in the middle of a panel refresh and of an EEPROM dump, the
// controller talking to it over the socket transport. The user gets the connection messages,
// the shadow keeps what it held for the rows not read, the dump file ends with the line of the
// failed read, and once the daemon is back the same operations succeed in full.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "camera/settings_table.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/hooked_clock.h"
#include "tests/support/scripted_hosts.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {
namespace {

const std::vector<ShownMessage> kConnectionLost = {
    {" error: no (correct)connection PC to USB-I2C board", kMessageOk},
    {" Check if board is connected to PC and/or verify driver", kMessageOk}};

class DaemonKillDrill : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon_.Start());
    ::setenv("QUORLINK_DEVICE", daemon_.Socket().c_str(), 1);
  }
  void TearDown() override { ::unsetenv("QUORLINK_DEVICE"); }

  ZembrelProcess daemon_{ZEMBREL_SIM_PATH};
  HookedClock clock_;
  ScopedClock scoped_{clock_};
  QuorlinkBridgeApi bridge_;
  ScriptedMessageHost messages_;
  CameraLink link_{bridge_, messages_};
};

TEST_F(DaemonKillDrill, RefreshCutShortKeepsTheShadowAndWorksAfterARestart) {
  constexpr int kFailedRow = 5;
  // Three pauses per row (after the request, after the read, between rows): the kill comes
  // right after row 5's request, so its read finds no daemon.
  clock_.hookAt = 3 * kFailedRow + 1;
  clock_.hook = [this] { daemon_.Kill(); };
  CameraBlock& block = link_.Block();
  for (uint8_t& byte : block.SettingsShadow) byte = 0xEE;

  EXPECT_EQ(link_.ReadAllSettings(block), 1);

  std::vector<ShownMessage> expected = kConnectionLost;
  expected.push_back({"Camera settings not correctly read, default values displayed", kMessageOk});
  EXPECT_EQ(messages_.shown, expected);
  const CameraBlock cut = block;

  ASSERT_TRUE(daemon_.Start());
  messages_.shown.clear();
  EXPECT_EQ(link_.ReadAllSettings(block), 0);
  EXPECT_TRUE(messages_.shown.empty());
  for (int row = 0; row < kSettingCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    // Rows read before the kill hold the camera's values; the failed one and all after it
    // kept what the shadow held.
    EXPECT_EQ(cut.SettingsShadow[row], row < kFailedRow ? block.SettingsShadow[row] : 0xEE);
  }
  EXPECT_EQ(link_.WriteSetting(3, 0x90), 0);
  EXPECT_EQ(block.SettingsShadow[3], 0x90);
}

TEST_F(DaemonKillDrill, DumpCutShortEndsWithTheFailedLineAndWorksAfterARestart) {
  // Two pauses per byte: the kill comes after the request of row 2's sixth byte.
  constexpr int kFailedByte = 2 * 16 + 5;
  clock_.hookAt = 2 * kFailedByte + 1;
  clock_.hook = [this] { daemon_.Kill(); };
  const CameraBlock shadowBefore = link_.Block();
  const std::string partialPath = daemon_.Dir() + "/partial.txt";

  const DumpResult cut = WriteEepromDumpFile(link_, messages_, partialPath);

  EXPECT_EQ(cut.outcome, DumpOutcome::kReadFailed);
  EXPECT_EQ(messages_.shown, kConnectionLost);
  EXPECT_EQ(std::vector<uint8_t>(std::begin(link_.Block().SettingsShadow),
                                 std::end(link_.Block().SettingsShadow)),
            std::vector<uint8_t>(std::begin(shadowBefore.SettingsShadow),
                                 std::end(shadowBefore.SettingsShadow)));

  ASSERT_TRUE(daemon_.Start());
  messages_.shown.clear();
  const std::string fullPath = daemon_.Dir() + "/full.txt";
  const DumpResult full = WriteEepromDumpFile(link_, messages_, fullPath);
  EXPECT_TRUE(full.Complete());
  EXPECT_TRUE(messages_.shown.empty());

  const std::vector<std::string> partial = CrLfLines(ReadFileBytes(partialPath));
  const std::vector<std::string> complete = CrLfLines(ReadFileBytes(fullPath));
  ASSERT_EQ(complete.size(), static_cast<std::size_t>(kEepromFileLines));
  ASSERT_FALSE(partial.empty());
  ASSERT_LT(partial.size(), complete.size());
  EXPECT_EQ(static_cast<int>(partial.size()), cut.linesWritten);
  // Everything before the last line is what a complete dump has there.
  for (std::size_t i = 0; i + 1 < partial.size(); ++i) EXPECT_EQ(partial[i], complete[i]) << i;
  // The last line is the data line of the failed read: the bytes read before it, then "??".
  EXPECT_EQ(cut.group, 0);
  EXPECT_EQ(cut.row, 2);
  ASSERT_GT(cut.column, 0);
  const std::string& last = partial.back();
  const std::string& same = complete[partial.size() - 1];
  ASSERT_EQ(last.size(), same.size());
  const std::size_t readChars = static_cast<std::size_t>(cut.column) * 3;
  EXPECT_EQ(last.substr(0, readChars), same.substr(0, readChars));
  EXPECT_EQ(last.substr(readChars, 2), "??");
}

}  // namespace
}  // namespace torvix::testing
