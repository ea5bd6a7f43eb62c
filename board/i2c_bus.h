// SPDX-License-Identifier: MIT
// The I2C bus as the adapter board sees it: whole transfers on a 7-bit address.
//
// Every operation returns the board's status byte for the transfer (kStatusDone, or why it
// failed). The board runs its commands on this interface; the virtual bus in sim/ and, later,
// a Linux i2c-dev bus implement it.
#pragma once

#include <cstdint>
#include <span>

namespace torvix {

// What command 14 answers: the state of the bus lines, one byte.
inline constexpr uint8_t kBusIdle = 0x00;
inline constexpr uint8_t kBusBusy = 0x01;  // another master holds the bus, or a line is stuck low

class I2cBus {
 public:
  virtual ~I2cBus() = default;
  // START, address + W, the bytes, STOP.
  virtual uint8_t Write(uint8_t address7, std::span<const uint8_t> data) = 0;
  // START, address + R, data.size() bytes (the last one not acknowledged), STOP.
  virtual uint8_t Read(uint8_t address7, std::span<uint8_t> data) = 0;
  // The write, then a repeated START and the read, with no STOP between them.
  virtual uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                            std::span<uint8_t> read) = 0;
  // kBusIdle or kBusBusy.
  virtual uint8_t BusState() = 0;
  // Whether the last transfer failed in the adapter itself rather than on the bus (unplugged,
  // or its request cut off): the board then fails the driver request instead of answering the
  // transfer's status. Only a bus behind a real adapter can tell.
  virtual bool AdapterFailed() const { return false; }
};

}  // namespace torvix
