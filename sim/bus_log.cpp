// SPDX-License-Identifier: MIT
#include "sim/bus_log.h"

#include <cstdio>

#include "sim/bus_log_file.h"

namespace torvix {

std::string FormatTransfer(const BusTransfer& transfer) {
  char head[64];
  const long long us = transfer.time.count();
  std::snprintf(head, sizeof head, "%12lld.%06lld 0x%02x %c", us / 1000000, us % 1000000,
                transfer.address7, transfer.direction == Direction::kWrite ? 'W' : 'R');
  std::string line = head;
  for (const uint8_t byte : transfer.bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", byte);
    line += hex;
  }
  char tail[24];
  std::snprintf(tail, sizeof tail, " status %u", transfer.status);
  return line + tail;
}

BusLog::BusLog(std::size_t capacity) : capacity_(capacity) {}
BusLog::~BusLog() = default;

void BusLog::SetFile(std::unique_ptr<BusLogFile> file) { file_ = std::move(file); }

void BusLog::Record(BusTransfer transfer) {
  if (file_) file_->Append(transfer);
  if (sink_) sink_(transfer);
  if (capacity_ == 0) return;
  if (entries_.size() == capacity_) entries_.pop_front();
  entries_.push_back(std::move(transfer));
}

std::vector<BusTransfer> BusLog::To(uint8_t address7) const {
  std::vector<BusTransfer> out;
  for (const auto& entry : entries_) {
    if (entry.address7 == address7) out.push_back(entry);
  }
  return out;
}

std::optional<std::size_t> BusLog::FindWrite(const std::vector<uint8_t>& bytes,
                                             std::size_t from) const {
  for (std::size_t i = from; i < entries_.size(); ++i) {
    if (entries_[i].direction == Direction::kWrite && entries_[i].bytes == bytes) return i;
  }
  return std::nullopt;
}

Microseconds BusLog::Between(std::size_t first, std::size_t second) const {
  return entries_.at(second).time - entries_.at(first).time;
}

}  // namespace torvix
