// SPDX-License-Identifier: MIT
// The adapter board's side of the driver protocol, run in software over an I2cBus.
//
// The driver hands the board one device control request at a time: a command header, then a
// data phase, then the status phase, or a version query. The board keeps the pending header
// between phases, runs the command on the bus when its data arrives (or at the status phase
// for commands that have no data phase) and answers the status byte. A request that does not
// fit the sequence fails; it never touches memory beyond the buffers it was given.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "board/adapter_protocol.h"
#include "board/board_command.h"
#include "board/i2c_bus.h"

namespace torvix {

class AdapterBoard {
 public:
  explicit AdapterBoard(I2cBus& bus) : bus_(bus) {}

  // The same shape as the bridge's device seam: for host-to-board requests output holds the
  // bytes sent; for board-to-host requests the board fills it.
  ControlResult Control(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output);

 private:
  struct Pending {
    CommandHeader header;
    bool executed = false;
    uint8_t status = kStatusDone;
  };

  ControlResult Header(std::span<const uint8_t> bytes);
  ControlResult WriteData(std::span<const uint8_t> payload);
  ControlResult ReadData(std::span<uint8_t> data);
  ControlResult Status(std::span<uint8_t> out);
  static ControlResult Version(std::span<uint8_t> out);
  bool adapterFailed();

  I2cBus& bus_;
  std::optional<Pending> pending_;
};

}  // namespace torvix
