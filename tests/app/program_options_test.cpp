// SPDX-License-Identifier: MIT
// The window's --device: what a Windows shortcut passes reaches the library as the device
// setting, and leaves the toolkit the arguments that are its own.
#include "app/program_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/case_name.h"
#include "tests/support/saved_environment.h"

namespace torvix::testing {
namespace {

struct DeviceOptionCase {
  const char* name;
  std::vector<std::string> args;  // after the program's name
  std::vector<std::string> left;  // what the toolkit then gets
  const char* setting;            // QUORLINK_DEVICE after; nullptr: as it was, unset
  bool refused;
};

class DeviceOption : public ::testing::TestWithParam<DeviceOptionCase> {};

TEST_P(DeviceOption, SetsTheDeviceAndLeavesTheRest) {
  const SavedEnvironment restore("QUORLINK_DEVICE");
  ::unsetenv("QUORLINK_DEVICE");
  std::vector<std::string> args = {"Torvix_Controller"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(args.size());
  std::ostringstream err;
  const std::optional<int> exit = TakeDeviceOption(argc, argv.data(), err);
  EXPECT_EQ(exit.has_value(), GetParam().refused);
  EXPECT_EQ(err.str().empty(), !GetParam().refused);
  std::vector<std::string> left(argv.begin() + 1, argv.begin() + argc);
  EXPECT_EQ(left, GetParam().left);
  EXPECT_EQ(argv[static_cast<std::size_t>(argc)], nullptr);
  const char* setting = std::getenv("QUORLINK_DEVICE");
  EXPECT_EQ(setting == nullptr ? "(unset)" : std::string(setting),
            GetParam().setting == nullptr ? "(unset)" : GetParam().setting);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceOption,
    ::testing::Values(
        DeviceOptionCase{"Apart",
                         {"-platform", "offscreen", "--device", "hid:mcp2221"},
                         {"-platform", "offscreen"},
                         "hid:mcp2221",
                         false},
        DeviceOptionCase{"Joined", {"--device=sim", "--help"}, {"--help"}, "sim", false},
        DeviceOptionCase{
            "None", {"-platform", "offscreen"}, {"-platform", "offscreen"}, nullptr, false},
        DeviceOptionCase{"MissingSpec", {"--device"}, {"--device"}, nullptr, true},
        DeviceOptionCase{"EmptySpec", {"--device="}, {"--device="}, nullptr, true}),
    CaseName());

}  // namespace
}  // namespace torvix::testing
