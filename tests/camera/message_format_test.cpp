// SPDX-License-Identifier: MIT
#include "camera/message_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace torvix::testing {
namespace {

TEST(MessageFormat, ShortFormatsWithPrintfRules) {
  ShortMessage text;
  FormatShortMessage(text, "address %2.2x of %s", 0x7a, "camera");
  EXPECT_STREQ(text, "address 7a of camera");
}

TEST(MessageFormat, TextsLongerThanTheBufferAreCutAndTerminated) {
  const std::string longText(300, 'x');
  struct {
    ShortMessage text;
    char guard[8];
  } shortOut;
  std::memset(&shortOut, '#', sizeof shortOut);
  FormatShortMessage(shortOut.text, "%s", longText.c_str());
  EXPECT_EQ(std::strlen(shortOut.text), kShortMessageSize - 1);
  EXPECT_EQ(std::string(shortOut.guard, sizeof shortOut.guard), std::string(8, '#'));

  struct {
    LongMessage text;
    char guard[8];
  } longOut;
  std::memset(&longOut, '#', sizeof longOut);
  FormatLongMessage(longOut.text, "%s%s", longText.c_str(), longText.c_str());
  EXPECT_EQ(std::strlen(longOut.text), kLongMessageSize - 1);
  EXPECT_EQ(std::string(longOut.guard, sizeof longOut.guard), std::string(8, '#'));
}

TEST(MessageFormat, NullFormatGivesTheEmptyText) {
  LongMessage text;
  std::memset(text, 'x', sizeof text);
  FormatLongMessage(text, nullptr);
  EXPECT_STREQ(text, "");
}

}  // namespace
}  // namespace torvix::testing
