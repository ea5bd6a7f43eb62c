// SPDX-License-Identifier: MIT
// One command of the adapter board, run on the I2C bus.
#pragma once

#include <cstdint>
#include <span>

#include "board/adapter_protocol.h"
#include "board/i2c_bus.h"
#include "clock/clock.h"

namespace torvix {

// The decoded 6-byte command header.
struct CommandHeader {
  uint8_t command = 0;
  uint16_t length = 0;  // bytes of the data phase
  uint8_t address7 = 0;
  uint16_t subAddress = 0;
};

CommandHeader DecodeHeader(std::span<const uint8_t, kHeaderSize> bytes);

enum class CommandKind { kWrite, kRead, kUnknown };
CommandKind KindOf(uint8_t command);

// How the polling commands wait: one try per interval, at most this many tries.
inline constexpr Milliseconds kPollInterval{1};
inline constexpr int kPollTries = 10;

// Runs a write-kind command with its data-phase payload; returns the status byte.
uint8_t RunWriteCommand(I2cBus& bus, const CommandHeader& header, std::span<const uint8_t> payload);
// Runs a read-kind command, filling data; returns the status byte.
uint8_t RunReadCommand(I2cBus& bus, const CommandHeader& header, std::span<uint8_t> data);

}  // namespace torvix
