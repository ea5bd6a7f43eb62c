// SPDX-License-Identifier: MIT
// The software board in process over a bus the device holds (an i2c-dev bus, a HID chip): the
// board runs each command on the bus and keeps nothing between transfers but the pending
// header, so a board per handle is no different from one shared.
#pragma once

#include <utility>

#include "board/adapter_board.h"
#include "bridge/src/adapter_device.h"

namespace torvix {

// BusHandle owns or shares the bus: a unique_ptr or shared_ptr of an I2cBus.
template <typename BusHandle>
class BoardOnBus final : public AdapterDevice {
 public:
  explicit BoardOnBus(BusHandle bus) : bus_(std::move(bus)), board_(*bus_) {}

  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    return board_.Control(code, input, output);
  }

 private:
  BusHandle bus_;
  AdapterBoard board_;
};

}  // namespace torvix
