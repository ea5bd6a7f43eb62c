// SPDX-License-Identifier: MIT
// The I2C bus of Microchip's MCP2221 (USB 04d8:00dd), spoken in its HID reports: 64 bytes
// each way, no report numbers, every command answered by one report that starts with the
// command.
//
// A write goes in reports of up to 60 data bytes, each naming the whole length and the address;
// the chip puts the write on the bus once it has them all, and the status command tells when it
// is done and whether the address was acknowledged. A read asks for the whole length, then
// fetches the bytes 60 at a time. A write before a read leaves out the STOP, and the read starts
// with a repeated START. After a failure the transfer is cancelled, which frees the bus.
#pragma once

#include <memory>

#include "bridge/hid/hid_chip_bus.h"

namespace torvix {

class Mcp2221Bus final : public HidChipBus {
 public:
  explicit Mcp2221Bus(std::unique_ptr<HidAccess> access) : HidChipBus(std::move(access)) {}

  // Asks the chip's state, cancels what an earlier program left running, and sets the clock to
  // 100 kHz where another left it otherwise: false when the chip does not answer.
  bool Start();

  uint8_t Write(uint8_t address7, std::span<const uint8_t> data) override;
  uint8_t Read(uint8_t address7, std::span<uint8_t> data) override;
  uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                    std::span<uint8_t> read) override;
  // Idle when the chip's engine is and both lines read high.
  uint8_t BusState() override;

 private:
  // One command and its answer; false when the adapter failed.
  bool Command(std::span<const uint8_t> command, HidReport& answer);
  bool Status(HidReport& answer, uint8_t cancel = 0, uint8_t divider = 0);
  uint8_t SendWrite(uint8_t command, uint8_t address7, std::span<const uint8_t> data);
  uint8_t StartRead(uint8_t command, uint8_t address7, std::size_t length);
  uint8_t FetchRead(std::span<uint8_t> data);
  // Asks the status until the write is done or failed.
  uint8_t WaitForWrite(std::size_t length);
  // Cancels the transfer after a failure on the bus, and passes its status on.
  uint8_t Cancelled(uint8_t status);
};

}  // namespace torvix
