// SPDX-License-Identifier: MIT
#include "tests/kernel/transfer_counter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace torvix::testing {

TransferCounter::TransferCounter(const std::string& file) {
  if (!file.empty()) file_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Count(0);
}

TransferCounter::~TransferCounter() {
  if (file_ >= 0) ::close(file_);
}

void TransferCounter::Count(uint64_t transfers) {
  if (file_ < 0) return;
  const std::lock_guard<std::mutex> hold(lock_);
  count_ += transfers;
  // A fixed width: each count overwrites the last one whole.
  char text[24];
  const int length =
      std::snprintf(text, sizeof text, "%20llu\n", static_cast<unsigned long long>(count_));
  [[maybe_unused]] const ssize_t n = ::pwrite(file_, text, static_cast<std::size_t>(length), 0);
}

}  // namespace torvix::testing
