// SPDX-License-Identifier: MIT
// The USB side of an i2c-tiny-usb adapter with an I2C bus behind it: the vendor control
// requests the kernel's driver sends, and what the adapter answers.
//
// The driver sends each message of a transfer as one request, kIo plus kIoBegin on the first
// message (START) and kIoEnd on the last (STOP), with the message's flags in wValue, its 7-bit
// address in wIndex and its bytes in the data stage. After each message it asks kGetStatus
// whether the address was acknowledged, and a NACK there is the ENXIO its client sees. The
// adapter reports nothing else: a byte the device refuses is told as a NACK too.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "board/i2c_bus.h"

namespace torvix::testing {

// What an i2c-tiny-usb adapter answers to kGetFunctions: plain I2C, and the SMBus calls the
// kernel builds from it (its unused top bit included).
inline constexpr uint32_t kTinyUsbPlainI2c = 0x8eff0001;
// The same without plain I2C: clients that look at the bits must use SMBus calls.
inline constexpr uint32_t kTinyUsbSmbusOnly = 0x0eff0000;

class TinyUsbAdapter {
 public:
  // Requests (bRequest of a vendor request).
  static constexpr uint8_t kEcho = 0;
  static constexpr uint8_t kGetFunctions = 1;
  static constexpr uint8_t kSetDelay = 2;
  static constexpr uint8_t kGetStatus = 3;
  static constexpr uint8_t kIo = 4;
  static constexpr uint8_t kIoBegin = 1;
  static constexpr uint8_t kIoEnd = 2;

  TinyUsbAdapter(I2cBus& bus, uint32_t functions) : bus_(bus), functions_(functions) {}

  // A request with a data stage to the host: its bytes (at most length), or nothing to stall it.
  std::optional<std::vector<uint8_t>> In(uint8_t request, uint16_t value, uint16_t index,
                                         uint16_t length);
  // A request with its data stage from the host (maybe empty): false to stall it.
  bool Out(uint8_t request, uint16_t value, uint16_t index, std::span<const uint8_t> data);

  // What the adapter reports from the next time the driver asks (at the next plug-in); safe
  // in a signal handler.
  void SetFunctions(uint32_t functions) { functions_ = functions; }

  // Whether a request carries a message to the bus.
  static bool IsIo(uint8_t request) { return (request & ~(kIoBegin | kIoEnd)) == kIo; }

 private:
  static constexpr uint8_t kStatusIdle = 0;
  static constexpr uint8_t kStatusAck = 1;
  static constexpr uint8_t kStatusNack = 2;

  I2cBus& bus_;
  std::atomic<uint32_t> functions_;
  uint8_t status_ = kStatusIdle;
};

}  // namespace torvix::testing
