// SPDX-License-Identifier: MIT
#include "bridge/hid/hid_chip_bus.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "board/adapter_protocol.h"

namespace torvix {

namespace {

// More than the reports a system keeps for a reader (hidraw keeps 64).
constexpr int kLongestDrain = 256;

}  // namespace

uint8_t HidChipBus::Transfer(const std::function<uint8_t()>& body) {
  failed_ = gone_;
  if (gone_) return kStatusUnknownCommand;
  if (!access_->Claim()) return kStatusBusBusy;
  deadline_ = Now() + kHidReplyDeadline;
  Drain();
  const uint8_t status = failed_ ? kStatusUnknownCommand : body();
  access_->Release();
  return status;
}

void HidChipBus::Drain() {
  HidReport stale{};
  // Bounded: a device that never stops sending is caught by the first Receive's deadline.
  for (int reports = 0; reports < kLongestDrain; ++reports) {
    const HidRead read = access_->Read(stale, Microseconds{0});
    if (read.outcome == HidOutcome::kTimeout) return;
    if (read.outcome == HidOutcome::kGone) {
      Failed();
      gone_ = true;
      return;
    }
  }
}

bool HidChipBus::Send(std::span<const uint8_t> report) {
  const HidOutcome outcome = access_->Write(report, deadline_);
  if (outcome == HidOutcome::kDone) return true;
  gone_ = outcome == HidOutcome::kGone;
  Failed();
  return false;
}

bool HidChipBus::Receive(uint8_t first, std::span<uint8_t> buffer) {
  for (;;) {
    const HidRead read = access_->Read(buffer, deadline_);
    if (read.outcome == HidOutcome::kDone && read.size > 0 && buffer[0] == first) {
      std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(read.size), buffer.end(), 0);
      return true;
    }
    // An answer to nothing of ours, or to a transfer that gave up, is passed over.
    if (read.outcome == HidOutcome::kDone && Pending()) continue;
    gone_ = read.outcome == HidOutcome::kGone;
    Failed();
    return false;
  }
}

bool HidChipBus::PollAgain() {
  if (!Pending()) return false;
  Pause(kHidPollInterval);
  return true;
}

uint8_t HidChipBus::Failed() {
  failed_ = true;
  return kStatusUnknownCommand;
}

uint8_t HidChipBus::Refuse(const std::string& words) {
  static std::atomic<bool> said{false};
  if (!said.exchange(true)) std::fprintf(stderr, "Quorlink: %s\n", words.c_str());
  return kStatusUnknownCommand;
}

}  // namespace torvix
