// SPDX-License-Identifier: MIT
// The user guide's table of settings is written by hand; this holds its numbers to the settings
// table and the command line's catalog, so a changed range or register cannot leave the guide
// behind.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "camera/settings_table.h"
#include "profiles/setting_catalog.h"

namespace torvix::testing {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" `");
  const auto last = text.find_last_not_of(" `");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Rows "| No. | Setting | Control | Register | Bits | Values | Default |" by setting name.
std::map<std::string, std::vector<std::string>> GuideRows() {
  std::ifstream guide(TORVIX_USER_GUIDE);
  std::map<std::string, std::vector<std::string>> rows;
  std::string line;
  while (std::getline(guide, line)) {
    if (line.rfind("| ", 0) != 0) continue;
    std::vector<std::string> cells;
    std::stringstream split(line.substr(1));
    for (std::string cell; std::getline(split, cell, '|');) cells.push_back(Trim(cell));
    if (cells.size() == 7 && !cells[0].empty() && std::isdigit(cells[0][0])) {
      EXPECT_TRUE(rows.emplace(cells[1], cells).second) << "twice in the guide: " << cells[1];
    }
  }
  return rows;
}

TEST(UserGuide, SettingsTableMatchesTheCamerasTable) {
  const auto rows = GuideRows();
  EXPECT_EQ(rows.size(), static_cast<std::size_t>(kSettingCount));
  for (const CameraSetting& setting : kSettingsTable) {
    const CliSetting& cli = CliSettingOf(static_cast<SettingId>(setting.number));
    SCOPED_TRACE(cli.name);
    const auto row = rows.find(cli.name);
    ASSERT_NE(row, rows.end()) << "the guide has no row for " << cli.name;
    const std::vector<std::string>& cells = row->second;
    EXPECT_EQ(cells[0], std::to_string(setting.number));
    EXPECT_EQ(cells[3], HexByte(setting.registerAddress));
    EXPECT_EQ(cells[4], HexByte(cli.ownedMask));
    EXPECT_EQ(cells[6], HexByte(setting.defaultValue));
    // A flag's range is the whole byte with the other bits kept; its cell says which bit.
    const bool flag = cli.ownedMask != 0xff && RangeText(cli) == "0x00-0xff";
    if (!cli.writable) {
      EXPECT_NE(cells[5].find("read-only"), std::string::npos) << cells[5];
    } else if (!flag) {
      EXPECT_NE(cells[5].find(RangeText(cli)), std::string::npos)
          << "values '" << cells[5] << "' lack " << RangeText(cli);
    }
  }
}

}  // namespace
}  // namespace torvix::testing
