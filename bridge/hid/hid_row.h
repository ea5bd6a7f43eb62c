// SPDX-License-Identifier: MIT
// The software board in process over a HID bridge chip (QUORLINK_DEVICE=hid:mcp2221,
// hid:cp2112 or hid:VID:PID, each with /SERIAL or #N to pick one of several): the chip's own
// reports spoken through the system's HID access, with no driver of the chip's maker. The
// chips and the choice among the devices are hid_bridge_chips.h; the protocols are the
// library's alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridge/devices/transport_row.h"

namespace torvix {

class AdapterDevice;

struct HidTransport {
  static constexpr TransportFacts kFacts{
      .setting = "hid:",
      .match = SettingMatch::kPrefix,
      .takesUnset = false,
      .systems = Systems::kLinux | Systems::kWindows,
      .form = "hid:CHIP",
      .kind = "hid:CHIP",
      .use = "hid:mcp2221 or hid:cp2112 for an MCP2221 or CP2112 adapter without a driver",
      .unsetDevice = "",
      .unsetWhat = "",
      .listed = "HID adapters",
      .noneListed = "No HID adapters (MCP2221, CP2112) are plugged in",
      .completion = "COMPREPLY+=($(compgen -W \"hid:mcp2221 hid:cp2112\" -- \"$cur\"))",
  };
  // Linux: the chip's hidraw node, whatever the setting calls it. Windows: none, the process's.
  static CameraIdentity Identity(const DeviceSetting& setting);
  // Chooses the device and opens it once (which sends nothing to the chip) to see that it will.
  static std::string ProblemBeforeUse(const DeviceSetting& setting);
  static std::string FailureProblem(const DeviceSetting& setting, bool openFailed,
                                    int16_t lastFailure);
  // The chips plugged in, each with the setting that names it and whether it opens.
  static std::vector<std::string> List();
  // The library's alone (hid_transport.cpp).
  static std::unique_ptr<AdapterDevice> Open(const DeviceSetting& setting);
};

}  // namespace torvix
