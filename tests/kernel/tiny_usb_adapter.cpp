// SPDX-License-Identifier: MIT
#include "tests/kernel/tiny_usb_adapter.h"

#include <linux/i2c.h>

#include "board/adapter_protocol.h"

namespace torvix::testing {

// Each message goes to the bus on its own: the virtual bus carries a write-then-read as the
// write and then the read, so its log reads the same whether a START or a repeated START
// came between them.
std::optional<std::vector<uint8_t>> TinyUsbAdapter::In(uint8_t request, uint16_t value,
                                                       uint16_t index, uint16_t length) {
  switch (request) {
    case kEcho:
      return std::vector<uint8_t>{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    case kGetFunctions: {
      const uint32_t functions = functions_;
      return std::vector<uint8_t>{static_cast<uint8_t>(functions),
                                  static_cast<uint8_t>(functions >> 8),
                                  static_cast<uint8_t>(functions >> 16),
                                  static_cast<uint8_t>(functions >> 24)};
    }
    case kGetStatus: return std::vector<uint8_t>{status_};
    default: break;
  }
  if (!IsIo(request)) return std::nullopt;
  // The firmware always fills the whole data stage, whatever the address said.
  std::vector<uint8_t> bytes(length, 0);
  const bool ack =
      (value & I2C_M_TEN) == 0 && bus_.Read(static_cast<uint8_t>(index), bytes) == kStatusDone;
  status_ = ack ? kStatusAck : kStatusNack;
  return bytes;
}

bool TinyUsbAdapter::Out(uint8_t request, uint16_t value, uint16_t index,
                         std::span<const uint8_t> data) {
  if (request == kSetDelay) return true;
  if (!IsIo(request)) return false;
  const bool ack =
      (value & I2C_M_TEN) == 0 && bus_.Write(static_cast<uint8_t>(index), data) == kStatusDone;
  status_ = ack ? kStatusAck : kStatusNack;
  return true;
}

}  // namespace torvix::testing
