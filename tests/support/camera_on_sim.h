// SPDX-License-Identifier: MIT
// The camera on the virtual board: the process's in-process rig, made a fresh board with a
// factory camera, reached through the real bridge library by one camera link. The link's
// message boxes are kept in `boxes` ("Box(0x00): text") and answered OK. The clock is the
// user's to choose: tests install a virtual one, benchmarks measure the real one.
#pragma once

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "sim/sim_rig.h"
#include "tests/support/call_log.h"
#include "tests/support/in_process_sim.h"
#include "tests/support/recording_message_host.h"

namespace torvix::testing {

class CameraOnSim {
 public:
  CameraOnSim() { UseInProcessSim(); }
  // Leaves no fault and no bus-log sink behind for whoever uses the rig next.
  ~CameraOnSim() { SimRig::Instance().Reset(); }
  CameraOnSim(const CameraOnSim&) = delete;
  CameraOnSim& operator=(const CameraOnSim&) = delete;

  SimRig& rig() { return SimRig::Instance(); }

  CallLog boxes;
  QuorlinkBridgeApi bridge;
  RecordingMessageHost messages{boxes};
  CameraLink link{bridge, messages};
};

}  // namespace torvix::testing
