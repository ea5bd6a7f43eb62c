// SPDX-License-Identifier: MIT
// Every transfer on the virtual bus: when, to whom, which way, which bytes, with what outcome.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock.h"

namespace torvix {

class BusLogFile;

enum class Direction { kWrite, kRead };

struct BusTransfer {
  Microseconds time{0};
  uint8_t address7 = 0;
  Direction direction = Direction::kWrite;
  std::vector<uint8_t> bytes;  // written, or delivered by the read (empty when it failed)
  uint8_t status = 0;
};

// "   12.345678 0x38 W 00 30 57 status 0": seconds, 7-bit address, direction, bytes, status.
std::string FormatTransfer(const BusTransfer& transfer);

class BusLog {
 public:
  // The oldest entries are dropped beyond capacity, so a long-running daemon stays bounded.
  explicit BusLog(std::size_t capacity = 1 << 16);
  ~BusLog();
  BusLog(const BusLog&) = delete;
  BusLog& operator=(const BusLog&) = delete;

  void Record(BusTransfer transfer);
  void Clear() { entries_.clear(); }
  // Called with every transfer as it is recorded (a test watching the bus).
  void SetSink(std::function<void(const BusTransfer&)> sink) { sink_ = std::move(sink); }
  // Every transfer is also appended to this file (nullptr: none), whatever the sink.
  void SetFile(std::unique_ptr<BusLogFile> file);
  const BusLogFile* File() const { return file_.get(); }

  const std::deque<BusTransfer>& Entries() const { return entries_; }
  std::size_t Size() const { return entries_.size(); }
  const BusTransfer& operator[](std::size_t i) const { return entries_[i]; }

  // The transfers to one 7-bit address, in order.
  std::vector<BusTransfer> To(uint8_t address7) const;
  // The first entry at or after from that is a write of exactly these bytes.
  std::optional<std::size_t> FindWrite(const std::vector<uint8_t>& bytes,
                                       std::size_t from = 0) const;
  // Time from entry first to entry second.
  Microseconds Between(std::size_t first, std::size_t second) const;

 private:
  std::size_t capacity_;
  std::deque<BusTransfer> entries_;
  std::function<void(const BusTransfer&)> sink_;
  std::unique_ptr<BusLogFile> file_;
};

}  // namespace torvix
