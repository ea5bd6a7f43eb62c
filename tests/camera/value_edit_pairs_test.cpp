#include "camera/value_edit_pairs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace torvix::testing {
namespace {

struct EditCase {
  int editId;
  std::string text;
  std::optional<uint8_t> value;  // none: the text is ignored
  bool clamped;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.editId << " \"" << c.text << '"'; }

class ValueEditText : public ::testing::TestWithParam<EditCase> {};

TEST_P(ValueEditText, ParsesAndClampsIntoThePairsRange) {
  const EditCase& c = GetParam();
  const ValueEditPair* pair = FindPairByEdit(c.editId);
  ASSERT_NE(pair, nullptr);
  const std::optional<EditValue> read = ReadValueEdit(*pair, c.text);
  ASSERT_EQ(read.has_value(), c.value.has_value());
  if (!read) return;
  EXPECT_EQ(read->value, *c.value);
  EXPECT_EQ(read->clamped, c.clamped);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueEditText,
    ::testing::Values(EditCase{1005, "3c", 0x3c, false}, EditCase{1005, "3C", 0x3c, false},
                      EditCase{1005, "5", std::nullopt, false},
                      EditCase{1005, "0x", std::nullopt, false},
                      EditCase{1005, " 5", std::nullopt, false},
                      EditCase{1005, "g1", std::nullopt, false},
                      EditCase{1005, "", std::nullopt, false},
                      EditCase{1005, "3c5", std::nullopt, false},  // a longer text already there
                      EditCase{1005, "30", 0x38, true}, EditCase{1005, "ff", 0x54, true},
                      EditCase{1012, "00", 0x01, true}, EditCase{1010, "ff", 0x78, true},
                      EditCase{1043, "00", 0x01, true}, EditCase{1052, "07", 0x08, true},
                      EditCase{1052, "61", 0x60, true}, EditCase{1015, "ff", 0xff, false},
                      EditCase{1015, "00", 0x00, false},
                      // The Edge edit reads a leading hex run of up to five characters.
                      EditCase{1022, "1ff", 0xff, true}, EditCase{1022, "12345678", 0xff, true},
                      EditCase{1022, "1", std::nullopt, false},
                      EditCase{1022, "1g", std::nullopt, false},
                      EditCase{1022, "0x12", std::nullopt, false},
                      EditCase{1022, "5a", 0x5a, false}, EditCase{1022, "0a z", 0x0a, false},
                      EditCase{1022, "00012", 0x12, false}));

TEST(LeadingHexRun, ReadsAtMostFiveCharacters) {
  EXPECT_EQ(ParseLeadingHexRun("100"), 0x100u);
  EXPECT_EQ(ParseLeadingHexRun("fffffffff"), 0xfffffu);
  EXPECT_EQ(ParseLeadingHexRun("ab-cd"), 0xabu);
}

TEST(ValueEditPairs, SlidersInMatchingOrderWithUniqueControls) {
  const int sliders[] = {1004, 1011, 1028, 1008, 1013, 1014, 1018,
                         1017, 1019, 1026, 1024, 1051, 1042};
  for (std::size_t i = 0; i < kValueEditPairs.size(); ++i) {
    EXPECT_EQ(kValueEditPairs[i].sliderId, sliders[i]);
    EXPECT_EQ(FindPairBySlider(sliders[i]), &kValueEditPairs[i]);
    EXPECT_EQ(FindPairByEdit(kValueEditPairs[i].editId), &kValueEditPairs[i]);
  }
  EXPECT_EQ(FindPairBySlider(1005), nullptr);
  EXPECT_EQ(FindPairByEdit(1004), nullptr);
  // Only the contrast edit puts a clamped value back by a direct text set.
  for (const ValueEditPair& pair : kValueEditPairs) {
    EXPECT_EQ(pair.clampedText == ClampedTextPath::DirectTextSet, pair.editId == 1005);
    EXPECT_EQ(pair.parse == ValueEditParse::LeadingHexRun, pair.editId == 1022);
  }
}

}  // namespace
}  // namespace torvix::testing
