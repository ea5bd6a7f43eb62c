// SPDX-License-Identifier: MIT
// The seam between a bridge and the adapter board's driver.
//
// A device is opened by constructing it and closed by destroying it. Each transport (the Win32
// driver, a local socket, the in-process board, the board over i2c-dev) is a folder of bridge/
// with its own implementation, and one row of the table of transports
// (bridge/devices/transport_table.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "board/adapter_protocol.h"

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

// Opens the adapter QUORLINK_DEVICE names, through the row of the table that takes it (the
// setting's words are the rows', bridge/devices/): nullptr when no transport here takes the
// setting or its device cannot be opened.
std::unique_ptr<AdapterDevice> OpenAdapterDevice();

// Tests put their own device behind every IICInit; an empty opener restores the default.
void SetAdapterDeviceOpenerForTesting(AdapterDeviceOpener opener);

}  // namespace torvix
