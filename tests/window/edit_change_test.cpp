// SPDX-License-Identifier: MIT
// An edit's change recovered from its text before and after: the one replacement the user
// made, which both views hand to the window layer as the user's act.
#include "window/edit_change.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace torvix::testing {
namespace {

struct DiffCase {
  const char* before;
  const char* after;
  std::size_t start;
  std::size_t end;
  const char* inserted;
};

class EditChangeTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(EditChangeTest, FindsTheOneReplacementTheUserMade) {
  const DiffCase c = GetParam();
  const std::optional<EditChange> change = DiffEditText(c.before, c.after);
  ASSERT_TRUE(change.has_value());
  EXPECT_EQ(change->start, c.start);
  EXPECT_EQ(change->end, c.end);
  EXPECT_EQ(change->inserted, c.inserted);
  // Applying it to the old text gives the new one.
  std::string applied = c.before;
  applied.replace(change->start, change->end - change->start, change->inserted);
  EXPECT_EQ(applied, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditChangeTest,
    ::testing::Values(DiffCase{"", "3", 0, 0, "3"},        // typed into an empty edit
                      DiffCase{"3", "3c", 1, 1, "c"},      // typed at the end
                      DiffCase{"20", "3", 0, 2, "3"},      // typed over the selection
                      DiffCase{"3c", "3", 1, 2, ""},       // backspace
                      DiffCase{"3c", "c", 0, 1, ""},       // delete at the start
                      DiffCase{"aa", "aaa", 2, 2, "a"},    // repeated character
                      DiffCase{"12", "1ab2", 1, 1, "ab"},  // paste in the middle
                      DiffCase{"ab", "", 0, 2, ""},        // cut all
                      DiffCase{"x\xc3\xa9", "x\xc3\xa8", 1, 3, "\xc3\xa8"}));  // whole characters

TEST(EditChangeTest, EqualTextsAreNoChange) { EXPECT_FALSE(DiffEditText("3c", "3c").has_value()); }

}  // namespace
}  // namespace torvix::testing
