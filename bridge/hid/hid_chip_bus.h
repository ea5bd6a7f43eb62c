// SPDX-License-Identifier: MIT
// What the I2C buses of the HID bridge chips share: each transfer has one reply deadline, read
// through the clock seam, for every report it waits on; an answer that misses it, or a device
// that is gone, is the adapter's failure (I2cBus::AdapterFailed), which the board turns into a
// failed driver request as for a board that stopped answering. Input reports left over from a
// transfer that gave up are read away before the next one starts, so a late answer is never
// taken for a new one's.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "board/i2c_bus.h"
#include "bridge/hid/hid_access.h"
#include "clock/clock.h"

namespace torvix {

// How long a transfer may take, answers and all: the socket's reply deadline.
inline constexpr Milliseconds kHidReplyDeadline{2000};
// How long a chip that said it is busy is left before it is asked again.
inline constexpr Milliseconds kHidPollInterval{1};
// The longest report of either chip, its number included.
inline constexpr std::size_t kHidLongestReport = 65;

using HidReport = std::array<uint8_t, kHidLongestReport>;

class HidChipBus : public I2cBus {
 public:
  explicit HidChipBus(std::unique_ptr<HidAccess> access) : access_(std::move(access)) {}
  bool AdapterFailed() const override { return failed_; }
  // Reads away what waits and says whether the device is still there: how a bus kept open
  // between bridge handles is checked before it serves another.
  bool StillThere() {
    Drain();
    return !gone_;
  }

 protected:
  // Runs one transfer: claims the device, reads stale reports away, sets the deadline. A device
  // found gone before stays gone; another program's claim held too long is a busy bus.
  uint8_t Transfer(const std::function<uint8_t()>& body);
  // Sends a report (number first); false, with the adapter failed, when it could not go.
  bool Send(std::span<const uint8_t> report);
  // Waits for the next input report whose first byte is first, passing over any other.
  bool Receive(uint8_t first, std::span<uint8_t> buffer);
  // Whether the deadline leaves time to ask again; pauses the poll interval when it does.
  bool PollAgain();
  // The status a transfer the adapter failed answers (the board fails the request instead).
  uint8_t Failed();
  // A transfer the chip cannot carry: said once per process on stderr, then kStatusUnknownCommand.
  static uint8_t Refuse(const std::string& words);
  bool Pending() const { return Now() < deadline_; }
  HidAccess& Access() { return *access_; }

 private:
  void Drain();

  std::unique_ptr<HidAccess> access_;
  Microseconds deadline_{0};
  bool failed_ = false;
  bool gone_ = false;
};

}  // namespace torvix
