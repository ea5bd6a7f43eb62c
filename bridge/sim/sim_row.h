// SPDX-License-Identifier: MIT
// The in-process board with its virtual camera (QUORLINK_DEVICE=sim): the rig of sim/, one per
// process, so the camera's state carries across handles.
#pragma once

#include <memory>

#include "bridge/devices/transport_row.h"

namespace torvix {

class AdapterDevice;

struct SimTransport {
  static constexpr TransportFacts kFacts{
      .setting = "sim",
      .match = SettingMatch::kWhole,
      .takesUnset = false,
      .systems = Systems::kAny,
      .form = "sim",
      .kind = "sim",
      .use = "sim for the virtual camera",
      .unsetDevice = "",
      .unsetWhat = "",
      .listed = "",
      .noneListed = "",
      .completion = "",
  };
  // Its camera is the process's own: the process's lock is all it needs, so no identity.
  // The library's alone (sim_device.cpp).
  static std::unique_ptr<AdapterDevice> Open(const DeviceSetting& setting);
};

}  // namespace torvix
