// SPDX-License-Identifier: MIT
// The program itself on zembrel-sim over the socket: the daemon is killed while Connect reads
// the camera. The user gets the connection messages and the refresh failure, the panel shows
// what the shadow holds with "XX" in the address edit, and after the daemon is started again
// Connect reads the camera in full and a typed value reaches it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "camera/quorlink_bridge_api.h"
#include "tests/support/hooked_clock.h"
#include "tests/support/scripted_hosts.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {
namespace {

constexpr int kContrast = 16;  // the shadow byte the contrast edit shows

std::string Hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%2.2x", value);
  return text;
}

TEST(DialogDaemonKillDrill, ConnectCutShortShowsTheShadowAndWorksAfterARestart) {
  ZembrelProcess daemon(ZEMBREL_SIM_PATH);
  ASSERT_TRUE(daemon.Start());
  ::setenv("QUORLINK_DEVICE", daemon.Socket().c_str(), 1);
  HookedClock clock;
  ScopedClock scoped(clock);
  ScriptedMessageHost messages;
  ScriptedModalHost modal;
  QuorlinkBridgeApi bridge;
  CMyTorvix_ControllerDlg dialog(bridge, messages);

  modal.steps.push_back([&](DialogWindow& window) {
    ASSERT_TRUE(messages.shown.empty()) << "the start-up read the camera";
    CameraBlock& block = dialog.Link().Block();
    // Three pauses per settings row: the kill lands after the request of the contrast row.
    clock.pauses = 0;
    clock.hookAt = 3 * kContrast + 1;
    clock.hook = [&] { daemon.Kill(); };
    block.SettingsShadow[kContrast] = 0x40;

    ASSERT_TRUE(window.UserClick(IDC_CONNECT));

    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, " error: no (correct)connection PC to USB-I2C board");
    EXPECT_EQ(messages.shown[1].text, " Check if board is connected to PC and/or verify driver");
    EXPECT_EQ(messages.shown[2].text,
              "Camera settings not correctly read, default values displayed");
    EXPECT_EQ(block.SettingsShadow[kContrast], 0x40);
    EXPECT_EQ(window.Find(IDC_CONTRAST_EDIT)->text, "40");
    EXPECT_EQ(window.Find(IDC_CAMERA_ADDRESS)->text, "XX");

    ASSERT_TRUE(daemon.Start());
    messages.shown.clear();
    ASSERT_TRUE(window.UserClick(IDC_CONNECT));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.Find(IDC_CONTRAST_EDIT)->text, Hex(block.SettingsShadow[kContrast]));
    EXPECT_EQ(window.Find(IDC_CAMERA_ADDRESS)->text, "70");

    // Usable again: a typed contrast value is written and kept.
    ASSERT_TRUE(
        window.UserSelectText(IDC_CONTRAST_EDIT, 0, window.Find(IDC_CONTRAST_EDIT)->text.size()));
    window.UserType(IDC_CONTRAST_EDIT, "45");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(block.SettingsShadow[kContrast], 0x45);
  });
  dialog.DoModal(modal);
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix::testing
