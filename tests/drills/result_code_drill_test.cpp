// SPDX-License-Identifier: MIT
// Every result code the bridge can hand back, through a setting write on the real library and
// the in-process board: the adapter's status byte forced to each of 0..255, and the invalid
// handle (0xFFFF) that follows a missing board. The user sees exactly the code's boxes, the
// value is never sent after a failed request, and the shadow keeps its byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "camera/settings_table.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"
#include "tests/support/scripted_hosts.h"

namespace torvix::testing {
namespace {

// The boxes of each code with texts of its own; every other code gets the connection pair.
const std::map<int, std::vector<std::string>>& CodeTable() {
  static const std::map<int, std::vector<std::string>> table = {
      {2, {"error ILLEGAL_BIT"}},
      {3, {"error arbitration problem"}},
      {4, {"error: camera did not answer in time (TIME OUT)"}},
      {5, {"not a correct acknowledge recieved"}},
      {6, {"error bus is bussy or occupied"}},
      {7, {"init error"}},
      {8, {"no correct stop condition"}},
      {10, {"unknown command"}},
      {11, {"USB command error"}},
      {12, {"USB_WRITE_ERROR"}},
      {13, {"USB_READ_ERROR"}},
      {14, {"error: USB_I2C_NACK", "Is board connected to camera (on?)"}},
      {15, {"error: device not present"}},
      {16, {"WRONG_OPERATING_SYSTEM"}},
      {22, {"error USB_DEVICE_NOT_FOUND"}},
      {23, {"MAX_DEVICES_EXCEEDED"}},
      {33, {"USB_DATA_OVERFLOW"}},
  };
  return table;
}

std::vector<ShownMessage> ExpectedBoxes(int code) {
  std::vector<std::string> texts = {" error: no (correct)connection PC to USB-I2C board",
                                    " Check if board is connected to PC and/or verify driver"};
  if (const auto row = CodeTable().find(code); row != CodeTable().end()) texts = row->second;
  std::vector<ShownMessage> boxes;
  boxes.reserve(texts.size());
  for (const std::string& text : texts) boxes.push_back({text, kMessageOk});
  return boxes;
}

constexpr int kSetting = 3;  // register 0x42
constexpr uint8_t kValue = 0x90;

class ResultCodeDrill : public ::testing::Test {
 protected:
  ResultCodeDrill() { ::setenv("QUORLINK_DEVICE", "sim", 1); }
  ~ResultCodeDrill() override {
    SimRig::Instance().Reset();
    ::unsetenv("QUORLINK_DEVICE");
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  QuorlinkBridgeApi bridge_;
  ScriptedMessageHost messages_;
};

TEST_F(ResultCodeDrill, EveryStatusByteShowsExactlyItsBoxesAndKeepsTheShadow) {
  SimRig& rig = SimRig::Instance();
  for (int code = 0; code <= 255; ++code) {
    SCOPED_TRACE("status byte " + std::to_string(code));
    rig.Reset();
    rig.Faults().forcedStatus = static_cast<uint8_t>(code);
    messages_.shown.clear();
    CameraLink link(bridge_, messages_);
    const uint8_t before = link.Block().SettingsShadow[kSetting];

    const uint8_t result = link.WriteSetting(kSetting, kValue);

    if (code == 0) {
      EXPECT_EQ(result, 0);
      EXPECT_TRUE(messages_.shown.empty());
      EXPECT_EQ(link.Block().SettingsShadow[kSetting], kValue);
      EXPECT_EQ(rig.Log().Size(), 2u);  // request, then the value
      continue;
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(messages_.shown, ExpectedBoxes(code));
    EXPECT_EQ(link.Block().SettingsShadow[kSetting], before);
    EXPECT_EQ(rig.Log().Size(), 1u);  // the request failed: the value never went out
  }
}

TEST_F(ResultCodeDrill, MissingBoardShowsTheConnectionPairForTheInvalidHandle) {
  SimRig::Instance().Reset();
  SimRig::Instance().Board().absent = true;
  CameraLink link(bridge_, messages_);
  const uint8_t before = link.Block().SettingsShadow[kSetting];

  EXPECT_EQ(link.WriteSetting(kSetting, kValue), 1);

  EXPECT_EQ(messages_.shown, ExpectedBoxes(0xFFFF));
  EXPECT_EQ(link.Block().SettingsShadow[kSetting], before);
  EXPECT_EQ(SimRig::Instance().Log().Size(), 0u);
}

}  // namespace
}  // namespace torvix::testing
