// SPDX-License-Identifier: MIT
#include "sim/daemon_options.h"

#include <gtest/gtest.h>

namespace torvix::testing {
namespace {

TEST(DaemonOptions, EveryOptionIsTaken) {
  DaemonOptions options;
  std::string error;
  ASSERT_TRUE(ParseDaemonOptions({"--socket", "/tmp/s", "--address", "0x20", "--device", "0x50",
                                  "--device", "160", "--state", "st.json", "--log", "bus.log"},
                                 options, error))
      << error;
  EXPECT_EQ(options.socketPath, "/tmp/s");
  EXPECT_EQ(options.cameraAddress8, 0x20);
  EXPECT_EQ(options.extraDevices8, (std::vector<uint8_t>{0x50, 0xA0}));
  EXPECT_EQ(options.stateFile, "st.json");
  EXPECT_EQ(options.logFile, "bus.log");
  EXPECT_FALSE(options.help);
}

TEST(DaemonOptions, DefaultsWithoutArguments) {
  DaemonOptions options;
  std::string error;
  ASSERT_TRUE(ParseDaemonOptions({}, options, error));
  EXPECT_EQ(options.cameraAddress8, 0x70);
  EXPECT_TRUE(options.socketPath.empty());
}

struct BadArguments {
  std::vector<std::string> args;
  const char* reason;
};

class DaemonOptionsRefused : public ::testing::TestWithParam<BadArguments> {};

TEST_P(DaemonOptionsRefused, WithAOneLineReason) {
  DaemonOptions options;
  std::string error;
  EXPECT_FALSE(ParseDaemonOptions(GetParam().args, options, error));
  EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(DaemonOptions, DaemonOptionsRefused,
                         ::testing::Values(BadArguments{{"--bogus"}, "unknown option"},
                                           BadArguments{{"--socket"}, "needs a value"},
                                           BadArguments{{"--state", ""}, "needs a value"},
                                           BadArguments{{"--address", "0x71"}, "out of range"},
                                           BadArguments{{"--address", "0x100"}, "out of range"},
                                           BadArguments{{"--address", "-2"}, "not a number"},
                                           BadArguments{{"--address", "0x"}, "not a number"},
                                           BadArguments{{"--device", "seventy"}, "not a number"}));

}  // namespace
}  // namespace torvix::testing
