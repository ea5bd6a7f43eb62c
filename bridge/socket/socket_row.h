// SPDX-License-Identifier: MIT
// A board served on a local stream socket (zembrel-sim, or a daemon of a real board): any
// setting no other transport takes is a socket's path, and unset is the socket a daemon serves
// unless told otherwise (board/socket_path.h), taken only when it belongs to this user or root.
#pragma once

#include <memory>
#include <string>

#include "bridge/devices/transport_row.h"

namespace torvix {

class AdapterDevice;

struct SocketTransport {
  static constexpr TransportFacts kFacts{
      .setting = "",
      .match = SettingMatch::kAnyOther,
      .takesUnset = true,
      .systems = Systems::kPosix,
      .form = "",
      .kind = "a socket path",
      .use = "a socket path served by zembrel-sim",
      .unsetDevice = "$XDG_RUNTIME_DIR/zembrel-0",
      .unsetWhat = "",
      .listed = "",
      .noneListed = "",
      .completion = "_filedir",
  };
  // The lock file the daemon keeps beside its socket (SOCKET.lock).
  static CameraIdentity Identity(const DeviceSetting& setting);
  // Looks at the path and tries one connection that cannot block; sends nothing.
  static std::string OpenProblem(const DeviceSetting& setting);
  // The library's alone (socket_device.cpp).
  static std::unique_ptr<AdapterDevice> Open(const DeviceSetting& setting);
};

}  // namespace torvix
