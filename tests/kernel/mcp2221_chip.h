// SPDX-License-Identifier: MIT
// Microchip's MCP2221 (USB 04d8:00dd): its I2C engine behind 64-byte HID reports without
// report numbers. Every output report is a command, named by its first byte, and gets one
// input report that starts with the command and a result byte (0: done).
//
// A write (kWriteData; kWriteNoStop before a read with a repeated START) names its whole length
// and the 8-bit address in every report and carries up to 60 of its bytes; the engine collects
// them and puts the write on the bus once it has them all. A read (kReadData;
// kReadRepeatedStart after kWriteNoStop) takes its whole length from the bus at once, and
// kGetData hands it over 60 bytes at a time. kStatus tells the engine's state and whether the
// last address was acknowledged; it also cancels a transfer and sets the clock. The kernel's
// hid-mcp2221 asks for the status after each write and read and cancels after a failure.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "board/i2c_bus.h"
#include "tests/kernel/hid_chip.h"

namespace torvix::testing {

class Mcp2221Chip final : public HidChip {
 public:
  // Commands.
  static constexpr uint8_t kStatus = 0x10;
  static constexpr uint8_t kGetData = 0x40;
  static constexpr uint8_t kSetGpio = 0x50;
  static constexpr uint8_t kGetGpio = 0x51;
  static constexpr uint8_t kWriteData = 0x90;
  static constexpr uint8_t kReadData = 0x91;
  static constexpr uint8_t kReadRepeatedStart = 0x93;
  static constexpr uint8_t kWriteNoStop = 0x94;

  explicit Mcp2221Chip(I2cBus& bus);

  const HidChipIdentity& Identity() const override { return identity_; }
  std::vector<HidReport> Output(std::span<const uint8_t> report) override;
  // The chip's configuration travels in output reports: it has no feature report.
  std::optional<HidReport> GetFeature(uint8_t /*number*/) override { return std::nullopt; }
  bool SetFeature(std::span<const uint8_t> /*report*/) override { return false; }
  bool StartsTransfer(std::span<const uint8_t> report) const override;

 private:
  HidReport Status(std::span<const uint8_t> command);
  HidReport Write(std::span<const uint8_t> command);
  HidReport Read(std::span<const uint8_t> command);
  HidReport GetData();
  // The engine's state after a transfer ended on the bus with this status byte.
  void Ended(uint8_t busStatus);
  // A write held for a repeated START that never came goes out on its own, as it did on the
  // wire.
  void SendHeldWrite();
  bool Busy() const { return collecting_ || reading_; }

  I2cBus& bus_;
  HidChipIdentity identity_;
  uint8_t address7_ = 0;
  // The write being collected, and its whole length.
  bool collecting_ = false;
  uint8_t writeCommand_ = 0;
  std::size_t writeLength_ = 0;
  std::vector<uint8_t> written_;
  // A kWriteNoStop write that waits for its read.
  std::optional<std::vector<uint8_t>> held_;
  // The bytes read, and how many of them kGetData has handed over.
  bool reading_ = false;
  std::vector<uint8_t> read_;
  std::size_t handedOver_ = 0;
  uint8_t engine_ = 0;
  bool addressNack_ = false;
  uint8_t clockDivider_ = 0;
};

}  // namespace torvix::testing
