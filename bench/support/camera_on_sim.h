// What the real-time benchmarks of the camera link and the dumps share: a camera link on the
// in-process virtual camera.
#pragma once

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "sim/sim_rig.h"

namespace torvix {

// Nobody watches a benchmark: every box is answered OK.
class SilentHost final : public MessageHost {
 public:
  int Show(const char*, unsigned) override { return kAnswerOk; }
};

// A factory-fresh in-process camera and one link to it, for the length of a benchmark.
struct CameraOnSim {
  CameraOnSim() { UseInProcessSim(); }
  QuorlinkBridgeApi bridge;
  SilentHost host;
  CameraLink link{bridge, host};
};

}  // namespace torvix
