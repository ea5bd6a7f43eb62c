// SPDX-License-Identifier: MIT
// Which transport a device setting picks, and what it hands that transport, on this system.
#include <gtest/gtest.h>

#include <string>

#include "bridge/devices/device_setting.h"
#include "bridge/devices/transport_table.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

struct SettingCase {
  const char* name;
  const char* setting;
  const TransportFacts* row;  // nullptr: no transport here takes it
  const char* argument;
  bool named;
};

class DeviceSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(DeviceSettings, PickTheirRow) {
  const SettingCase& c = GetParam();
  const std::optional<DeviceSetting> device = ParseDeviceSetting(c.setting);
  ASSERT_EQ(device.has_value(), c.row != nullptr);
  if (!device) return;
  EXPECT_EQ(device->row->kind, c.row->kind);
  EXPECT_EQ(device->argument, c.argument);
  EXPECT_EQ(device->named, c.named);
}

#if defined(_WIN32)
constexpr const TransportFacts* kUnset = &Win32DriverTransport::kFacts;
#else
constexpr const TransportFacts* kUnset = &SocketTransport::kFacts;
#endif
constexpr const TransportFacts* kSim = &SimTransport::kFacts;

INSTANTIATE_TEST_SUITE_P(AnySystem, DeviceSettings,
                         ::testing::Values(SettingCase{"Unset", nullptr, kUnset, "", false},
                                           SettingCase{"EmptyIsUnset", "", kUnset, "", false},
                                           SettingCase{"Sim", "sim", kSim, "", true}),
                         CaseName());

#if defined(_WIN32) || defined(__linux__)
// The HID transport takes its prefix before the driver's device or a socket's path would.
INSTANTIATE_TEST_SUITE_P(Hid, DeviceSettings,
                         ::testing::Values(SettingCase{"Chip", "hid:mcp2221/0001",
                                                       &HidTransport::kFacts, "mcp2221/0001", true},
                                           SettingCase{"Ids", "hid:10c4:ea90#2",
                                                       &HidTransport::kFacts, "10c4:ea90#2", true}),
                         CaseName());
#endif

#if defined(_WIN32)
INSTANTIATE_TEST_SUITE_P(
    Windows, DeviceSettings,
    ::testing::Values(SettingCase{"DriverDevice", "\\\\.\\zembrel-3", kUnset, "zembrel-3", true},
                      SettingCase{"PlainFileIsNothing", "C:\\board", nullptr, "", false},
                      SettingCase{"I2cDevIsLinuxOnly", "i2c:7", nullptr, "", false}),
    CaseName());
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, DeviceSettings,
    ::testing::Values(SettingCase{"SocketPath", "/tmp/cam.sock", kUnset, "/tmp/cam.sock", true},
                      SettingCase{"MoreThanSimIsAPath", "simulator", kUnset, "simulator", true},
                      SettingCase{"DriverNameIsAPath", "\\\\.\\zembrel-3", kUnset,
                                  "\\\\.\\zembrel-3", true}),
    CaseName());
#endif

#if defined(__linux__)
INSTANTIATE_TEST_SUITE_P(
    Linux, DeviceSettings,
    ::testing::Values(SettingCase{"I2cBus", "i2c:cp2112", &I2cDevTransport::kFacts, "cp2112", true},
                      SettingCase{"I2cWithoutBus", "i2c:", &I2cDevTransport::kFacts, "", true}),
    CaseName());
#endif

}  // namespace
}  // namespace torvix::testing
