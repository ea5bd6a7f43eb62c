// SPDX-License-Identifier: MIT
// The bridge library of this process pointed at the in-process rig (QUORLINK_DEVICE=sim), the
// rig reset, so a test or benchmark starts on a fresh board and factory camera.
#pragma once

#include <cstdlib>

#include "sim/sim_rig.h"

namespace torvix::testing {

inline SimRig& UseInProcessSim() {
#ifdef _WIN32
  _putenv_s("QUORLINK_DEVICE", "sim");
#else
  setenv("QUORLINK_DEVICE", "sim", 1);
#endif
  SimRig& rig = SimRig::Instance();
  rig.Reset();
  return rig;
}

}  // namespace torvix::testing
