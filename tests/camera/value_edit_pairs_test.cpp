// SPDX-License-Identifier: MIT
#include "camera/value_edit_pairs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace torvix::testing {
namespace {

struct EditCase {
  SettingId setting;  // of the pair whose edit is typed into
  std::string text;
  std::optional<uint8_t> value;  // none: the text is ignored
  bool clamped;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.setting << " \"" << c.text << '"'; }

class ValueEditText : public ::testing::TestWithParam<EditCase> {};

TEST_P(ValueEditText, ParsesAndClampsIntoThePairsRange) {
  const EditCase& c = GetParam();
  const ValueEditPair* pair = FindPairOfSetting(c.setting);
  ASSERT_NE(pair, nullptr);
  const std::optional<EditValue> read = ReadValueEdit(*pair, c.text);
  ASSERT_EQ(read.has_value(), c.value.has_value());
  if (!read) return;
  EXPECT_EQ(read->value, *c.value);
  EXPECT_EQ(read->clamped, c.clamped);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueEditText,
    ::testing::Values(
        EditCase{Contrast, "3c", 0x3c, false}, EditCase{Contrast, "3C", 0x3c, false},
        EditCase{Contrast, "5", std::nullopt, false}, EditCase{Contrast, "0x", std::nullopt, false},
        EditCase{Contrast, " 5", std::nullopt, false},
        EditCase{Contrast, "g1", std::nullopt, false}, EditCase{Contrast, "", std::nullopt, false},
        // a longer text already there
        EditCase{Contrast, "3c5", std::nullopt, false}, EditCase{Contrast, "30", 0x38, true},
        EditCase{Contrast, "ff", 0x54, true}, EditCase{ColorGain, "00", 0x01, true},
        EditCase{AexReference, "ff", 0x78, true}, EditCase{AgcGainMax, "00", 0x01, true},
        EditCase{DayNightLevel, "07", 0x08, true}, EditCase{DayNightLevel, "61", 0x60, true},
        EditCase{RedGain, "ff", 0xff, false}, EditCase{RedGain, "00", 0x00, false},
        // The Edge edit reads a leading hex run of up to five characters.
        EditCase{LlsEdge, "1ff", 0xff, true}, EditCase{LlsEdge, "12345678", 0xff, true},
        EditCase{LlsEdge, "1", std::nullopt, false}, EditCase{LlsEdge, "1g", std::nullopt, false},
        EditCase{LlsEdge, "0x12", std::nullopt, false}, EditCase{LlsEdge, "5a", 0x5a, false},
        EditCase{LlsEdge, "0a z", 0x0a, false}, EditCase{LlsEdge, "00012", 0x12, false}));

TEST(LeadingHexRun, ReadsAtMostFiveCharacters) {
  EXPECT_EQ(ParseLeadingHexRun("100"), 0x100u);
  EXPECT_EQ(ParseLeadingHexRun("fffffffff"), 0xfffffu);
  EXPECT_EQ(ParseLeadingHexRun("ab-cd"), 0xabu);
}
}  // namespace
}  // namespace torvix::testing
