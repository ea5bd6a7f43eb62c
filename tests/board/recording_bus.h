// SPDX-License-Identifier: MIT
// An I2cBus that records each call and answers from a queue of status bytes.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "board/adapter_protocol.h"
#include "board/i2c_bus.h"

namespace torvix::testing {

struct BusCall {
  char kind;  // 'W' write, 'R' read, 'X' write-then-read
  uint8_t address7;
  std::vector<uint8_t> written;
  std::size_t readLength;
  bool operator==(const BusCall&) const = default;
};

class RecordingBus final : public I2cBus {
 public:
  uint8_t Write(uint8_t address7, std::span<const uint8_t> data) override {
    calls.push_back({'W', address7, {data.begin(), data.end()}, 0});
    return Next();
  }
  uint8_t Read(uint8_t address7, std::span<uint8_t> data) override {
    calls.push_back({'R', address7, {}, data.size()});
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(0xA0 + i);
    return Next();
  }
  uint8_t WriteRead(uint8_t address7, std::span<const uint8_t> write,
                    std::span<uint8_t> read) override {
    calls.push_back({'X', address7, {write.begin(), write.end()}, read.size()});
    for (std::size_t i = 0; i < read.size(); ++i) read[i] = static_cast<uint8_t>(0xB0 + i);
    return Next();
  }
  uint8_t BusState() override {
    ++stateQueries;
    if (busyStates > 0) {
      --busyStates;
      return kBusBusy;
    }
    return kBusIdle;
  }

  std::vector<BusCall> calls;
  std::deque<uint8_t> statuses;  // answered in order; kStatusDone once empty
  int busyStates = 0;            // BusState() reads busy this many times
  int stateQueries = 0;

 private:
  uint8_t Next() {
    if (statuses.empty()) return kStatusDone;
    const uint8_t status = statuses.front();
    statuses.pop_front();
    return status;
  }
};

}  // namespace torvix::testing
