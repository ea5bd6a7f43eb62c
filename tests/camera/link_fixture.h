// SPDX-License-Identifier: MIT
// A camera link wired to a recording bridge, a recording message host and a logging clock,
// all writing into one call log.
#pragma once

#include <gtest/gtest.h>

#include "camera/camera_link.h"
#include "tests/camera/recording_bridge.h"
#include "tests/support/call_log.h"
#include "tests/support/recording_message_host.h"

namespace torvix::testing {

class LinkFixture : public ::testing::Test {
 protected:
  CallLog log;
  RecordingBridge bridge{log};
  RecordingMessageHost messages{log};
  LoggingClock clock{log};
  ScopedClock useClock{clock};
  CameraLink link{bridge, messages};
};

inline constexpr const char* kNoConnection =
    "Box(0x00):  error: no (correct)connection PC to USB-I2C board";
inline constexpr const char* kCheckBoard =
    "Box(0x00):  Check if board is connected to PC and/or verify driver";

}  // namespace torvix::testing
