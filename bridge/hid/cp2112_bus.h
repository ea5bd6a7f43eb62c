// SPDX-License-Identifier: MIT
// The I2C bus of Silicon Labs' CP2112 (USB 10c4:ea90), spoken in its numbered HID reports:
// its settings in feature reports, its transfers in 64-byte interrupt reports.
//
// A transfer is one request: a write (at most 61 bytes), a read (1 to 512), or a write of at
// most 16 bytes, a repeated START and a read. The chip runs it on its own; the host asks the
// transfer's status until it has ended, then has the chip send what it read, 61 bytes a
// report. A transfer that does not end in time is cancelled.
#pragma once

#include <memory>
#include <string>

#include "bridge/hid/hid_chip_bus.h"

namespace torvix {

class Cp2112Bus final : public HidChipBus {
 public:
  explicit Cp2112Bus(std::unique_ptr<HidAccess> access) : HidChipBus(std::move(access)) {}

  // Reads the chip's version and sets what a transfer relies on: the read data sent only when
  // asked for, bounded time-outs, one retry, a clock held low told as a failure. The problem
  // in words, or "" when the chip is ready.
  std::string Start();

  uint8_t Write(uint8_t address7, std::span<const uint8_t> data) override;
  uint8_t Read(uint8_t address7, std::span<uint8_t> data) override;
  uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                    std::span<uint8_t> read) override;
  // The chip does not show the lines: a bus held low fails the transfer instead.
  uint8_t BusState() override { return kBusIdle; }

 private:
  // Sends the request and asks its status until it ended; then fetches what it read.
  uint8_t Run(std::span<const uint8_t> request, std::span<uint8_t> read);
  uint8_t AwaitEnd();
  uint8_t Fetch(std::span<uint8_t> read);
  uint8_t Cancelled(uint8_t status);

  bool repeatedStart_ = true;
};

// Whether the device answers the CP2112's version report as one: how a chip named by changed
// USB ids is told (an MCP2221 has no feature report).
bool IsCp2112(HidAccess& access);

}  // namespace torvix
