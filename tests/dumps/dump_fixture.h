// SPDX-License-Identifier: MIT
// A camera link on a pattern camera, a scripted message host and a virtual clock, with a
// scratch folder for the files a test writes.
#pragma once

#include <gtest/gtest.h>

#include "camera/camera_link.h"
#include "clock/virtual_clock.h"
#include "tests/dumps/pattern_camera_bridge.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_message_host.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {

class DumpFixture : public ::testing::Test {
 protected:
  CallLog boxes;
  PatternCameraBridge bridge;
  RecordingMessageHost messages{boxes};
  VirtualClock clock;
  ScopedClock useClock{clock};
  CameraLink link{bridge, messages};
  ScratchFolder scratch;
};

}  // namespace torvix::testing
