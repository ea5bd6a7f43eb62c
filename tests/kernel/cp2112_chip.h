// SPDX-License-Identifier: MIT
// Silicon Labs' CP2112 (USB 10c4:ea90): an SMBus master behind numbered HID reports. Its
// configuration travels in feature reports on the control endpoint (its version, the SMBus
// settings, which the kernel's hid-cp2112 reads and writes back while it starts); its
// transfers in 64-byte interrupt reports.
//
// A transfer is one output report: kWriteRequest (up to 61 bytes), kReadRequest or
// kWriteReadRequest (up to 16 bytes, then a repeated START and a read), each up to 512 bytes
// read; the chip runs it on the bus and answers nothing. The host then asks kStatusRequest,
// answered by kStatusResponse (whether it completed, and how it failed), and fetches what was
// read with kForceSend, answered by kReadResponse reports of up to 61 bytes each.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "board/i2c_bus.h"
#include "tests/kernel/hid_chip.h"

namespace torvix::testing {

class Cp2112Chip final : public HidChip {
 public:
  // Feature reports.
  static constexpr uint8_t kVersion = 0x05;
  static constexpr uint8_t kSmbusConfig = 0x06;
  static constexpr uint8_t kLockByte = 0x20;
  // Output reports.
  static constexpr uint8_t kReadRequest = 0x10;
  static constexpr uint8_t kWriteReadRequest = 0x11;
  static constexpr uint8_t kForceSend = 0x12;
  static constexpr uint8_t kWriteRequest = 0x14;
  static constexpr uint8_t kStatusRequest = 0x15;
  static constexpr uint8_t kCancel = 0x17;
  // Input reports.
  static constexpr uint8_t kReadResponse = 0x13;
  static constexpr uint8_t kStatusResponse = 0x16;

  explicit Cp2112Chip(I2cBus& bus);

  const HidChipIdentity& Identity() const override { return identity_; }
  std::vector<HidReport> Output(std::span<const uint8_t> report) override;
  std::optional<HidReport> GetFeature(uint8_t number) override;
  bool SetFeature(std::span<const uint8_t> report) override;
  bool StartsTransfer(std::span<const uint8_t> report) const override;

 private:
  // Runs a transfer of the output report on the bus: its outcome for kStatusResponse.
  void Transfer(std::span<const uint8_t> report);
  // The outcome of a transfer (a read, or one that only writes) that ended on the bus with
  // this status byte.
  void Ended(uint8_t busStatus, bool reading);
  std::vector<HidReport> ReadResponses(std::size_t wanted);

  I2cBus& bus_;
  HidChipIdentity identity_;
  uint8_t status0_ = 0;  // idle
  uint8_t status1_ = 0;
  std::vector<uint8_t> read_;
  std::size_t handedOver_ = 0;
  // The SMBus settings, as the feature report carries them (number first).
  std::array<uint8_t, 14> smbusConfig_{};
};

}  // namespace torvix::testing
