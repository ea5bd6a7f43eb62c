// SPDX-License-Identifier: MIT
// The software board in process over a Linux i2c-dev bus (QUORLINK_DEVICE=i2c:/dev/i2c-N,
// i2c:N or i2c:NAME): a real camera behind any adapter the kernel drives, with no driver of
// ours. The bus lookup is board/'s (torvix_i2c_dev); the setting's words are the row's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/devices/transport_row.h"

namespace torvix {

class AdapterDevice;

struct I2cDevTransport {
  static constexpr TransportFacts kFacts{
      .setting = "i2c:",
      .match = SettingMatch::kPrefix,
      .takesUnset = false,
      .systems = Systems::kLinux,
      .form = "i2c:BUS",
      .kind = "i2c:BUS",
      .use = "i2c:BUS for a Linux i2c-dev bus",
      .unsetDevice = "",
      .unsetWhat = "",
      .listed = "i2c-dev buses",
      .noneListed = "No i2c buses (is the i2c-dev module loaded? sudo modprobe i2c-dev)",
      .completion =
          "local bus\n"
          "for bus in /dev/i2c-*; do\n"
          "    [[ -e $bus ]] && COMPREPLY+=($(compgen -W \"i2c:${bus##*-}\" -- \"$cur\"))\n"
          "done",
  };
  // The bus's node, whatever the setting calls it, so i2c:7, i2c:/dev/i2c-7 and the adapter's
  // name share one lock.
  static CameraIdentity Identity(const DeviceSetting& setting);
  // Opens the bus once (which sends nothing on it) to see that it will.
  static std::string ProblemBeforeUse(const DeviceSetting& setting);
  static std::string FailureProblem(const DeviceSetting& setting, bool openFailed,
                                    int16_t lastFailure);
  // The buses: each with its adapter's name and whether this user may open it.
  static std::vector<std::string> List();
  // The library's alone (i2c_dev_device.cpp).
  static std::unique_ptr<AdapterDevice> Open(const DeviceSetting& setting);
};

// What the setting's argument lacks before a bus can be looked for ("" when nothing).
std::string I2cDevSettingProblem(std::string_view argument);

}  // namespace torvix
