// SPDX-License-Identifier: MIT
// Counts the USB transfers an emulated adapter serves (control requests and interrupt
// reports, either way) and keeps the count in a file, rewritten in place at each, so the rig
// can read what a command cost the adapter.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace torvix::testing {

class TransferCounter {
 public:
  // No file: nothing is counted.
  explicit TransferCounter(const std::string& file);
  ~TransferCounter();
  TransferCounter(const TransferCounter&) = delete;
  TransferCounter& operator=(const TransferCounter&) = delete;

  void Count(uint64_t transfers = 1);

 private:
  std::mutex lock_;  // FunctionFS's two threads count too
  int file_ = -1;
  uint64_t count_ = 0;
};

}  // namespace torvix::testing
