// SPDX-License-Identifier: MIT
// The seam between a bridge and the adapter board's driver.
//
// A device is opened by constructing it and closed by destroying it. Each transport (the Win32
// driver, a local socket, the in-process board) is one implementation in a file of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "board/adapter_protocol.h"
#include "board/socket_path.h"  // where QUORLINK_DEVICE unset leads on POSIX

namespace torvix {

class AdapterDevice {
 public:
  virtual ~AdapterDevice();
  // One synchronous device control request. For host-to-board requests output holds the bytes
  // sent; for board-to-host requests the device fills it. A transport translates its own
  // failures (errno, a broken connection) into a result with ok == false.
  virtual ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                                std::span<uint8_t> output) = 0;
};

using AdapterDeviceOpener = std::function<std::unique_ptr<AdapterDevice>()>;

// Opens the adapter chosen by QUORLINK_DEVICE: "sim" -> the in-process board; on POSIX unset or
// empty -> the socket $XDG_RUNTIME_DIR/zembrel-0 (or /tmp/zembrel-0; only one that belongs to
// this user or root), "i2c:..." -> the in-process board on a Linux i2c-dev bus (Linux only),
// anything else -> a socket path; on Windows unset or empty -> the driver device \\.\zembrel-0,
// \\.\NAME -> that driver device, anything else -> nothing. nullptr when the device cannot be
// opened.
std::unique_ptr<AdapterDevice> OpenAdapterDevice();

// Tests put their own device behind every IICInit; an empty opener restores the default.
void SetAdapterDeviceOpenerForTesting(AdapterDeviceOpener opener);

}  // namespace torvix
