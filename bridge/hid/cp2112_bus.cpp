// SPDX-License-Identifier: MIT
#include "bridge/hid/cp2112_bus.h"

#include <algorithm>
#include <cstdio>

#include "board/adapter_protocol.h"

namespace torvix {

namespace {

// Feature reports: the version (part number, device version) and the SMBus settings.
constexpr uint8_t kVersion = 0x05;
constexpr std::size_t kVersionSize = 3;
constexpr uint8_t kPartNumber = 0x0C;
constexpr uint8_t kFirstWithRepeatedStart = 2;
constexpr uint8_t kSettings = 0x06;
constexpr std::size_t kSettingsSize = 14;
// The settings' fields this bus sets, number first: read data sent only when asked for; the
// write's and the read's time-outs (ms, high byte first, 0 for none); a clock held low past
// 25 ms failing the transfer; the retries after a NACK (0 for no end).
constexpr std::size_t kAutoSendAt = 6;
constexpr std::size_t kWriteTimeoutAt = 7;
constexpr std::size_t kReadTimeoutAt = 9;
constexpr std::size_t kClockLowTimeoutAt = 11;
constexpr std::size_t kRetriesAt = 12;
// Within the reply deadline, so the chip tells how a transfer failed before the host gives up.
constexpr uint16_t kChipTimeoutMs = 1000;

// Output reports.
constexpr uint8_t kReadRequest = 0x10;
constexpr uint8_t kWriteReadRequest = 0x11;
constexpr uint8_t kForceSend = 0x12;
constexpr uint8_t kWriteRequest = 0x14;
constexpr uint8_t kStatusRequest = 0x15;
constexpr uint8_t kCancel = 0x17;
// Input reports: the transfer's status (its state, and why it failed), and read data (a
// state, the count, the bytes).
constexpr uint8_t kReadResponse = 0x13;
constexpr uint8_t kStatusResponse = 0x16;
constexpr uint8_t kComplete = 0x02;
constexpr uint8_t kError = 0x03;
constexpr std::size_t kCountAt = 2;
constexpr std::size_t kReadDataAt = 3;

constexpr std::size_t kLongestWrite = 61;
constexpr std::size_t kLongestRead = 512;
constexpr std::size_t kLongestTarget = 16;  // the write before a repeated START
constexpr std::size_t kDataPerResponse = 61;

using Request = std::array<uint8_t, 64>;

uint8_t High(std::size_t value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }
uint8_t Low(std::size_t value) { return static_cast<uint8_t>(value & 0xFF); }

// What the chip tells of a failed transfer, as the board's status.
uint8_t FailureStatus(uint8_t reason) {
  switch (reason) {
    case 0x00: return kStatusAddressNack;  // told as a time-out of the address
    case 0x01: return kStatusBusBusy;      // the bus never came free: a line held low
    case 0x02: return kStatusArbitrationLost;
    case 0x03: return kStatusTimeout;   // the read did not complete
    case 0x04: return kStatusDataNack;  // the write did not complete
    default: return kStatusUnknownCommand;
  }
}

std::string Words(const char* format, std::size_t value) {
  char words[160];
  std::snprintf(words, sizeof words, format, value);
  return words;
}

}  // namespace

bool IsCp2112(HidAccess& access) {
  HidReport version{kVersion};
  const HidRead told = access.GetFeature(std::span(version).first(kVersionSize));
  return told.outcome == HidOutcome::kDone && told.size >= kVersionSize &&
         version[1] == kPartNumber;
}

std::string Cp2112Bus::Start() {
  std::string problem;
  Transfer([&] {
    HidReport version{kVersion};
    const HidRead told = Access().GetFeature(std::span(version).first(kVersionSize));
    if (told.outcome != HidOutcome::kDone || told.size < kVersionSize) {
      problem = "it does not tell its version";
      return Failed();
    }
    if (version[1] != kPartNumber) {
      problem = Words("it is no CP2112 (its part number is 0x%02zX)", version[1]);
      return Failed();
    }
    repeatedStart_ = version[2] >= kFirstWithRepeatedStart;
    HidReport settings{kSettings};
    const auto current = std::span(settings).first(kSettingsSize);
    if (Access().GetFeature(current).size < kSettingsSize) {
      problem = "it does not tell its SMBus settings";
      return Failed();
    }
    HidReport wanted = settings;
    wanted[kAutoSendAt] = 0;
    for (const std::size_t at : {kWriteTimeoutAt, kReadTimeoutAt}) {
      wanted[at] = High(kChipTimeoutMs);
      wanted[at + 1] = Low(kChipTimeoutMs);
    }
    wanted[kClockLowTimeoutAt] = 1;
    wanted[kRetriesAt] = 0;
    wanted[kRetriesAt + 1] = 1;
    if (wanted != settings &&
        Access().SetFeature(std::span(wanted).first(kSettingsSize)) != HidOutcome::kDone) {
      problem = "it does not take its SMBus settings";
      return Failed();
    }
    return kStatusDone;
  });
  return problem;
}

uint8_t Cp2112Bus::Write(uint8_t address7, std::span<const uint8_t> data) {
  if (data.size() > kLongestWrite) {
    return Refuse(
        Words("the CP2112 writes at most 61 bytes in a transfer: a write of %zu bytes "
              "was not sent",
              data.size()));
  }
  Request request{kWriteRequest, static_cast<uint8_t>(address7 << 1), Low(data.size())};
  std::copy(data.begin(), data.end(), request.begin() + 3);
  return Run(request, {});
}

uint8_t Cp2112Bus::Read(uint8_t address7, std::span<uint8_t> data) {
  if (data.empty() || data.size() > kLongestRead) {
    return Refuse(
        Words("the CP2112 reads 1 to 512 bytes in a transfer: a read of %zu bytes was "
              "not sent",
              data.size()));
  }
  const Request request{kReadRequest, static_cast<uint8_t>(address7 << 1), High(data.size()),
                        Low(data.size())};
  return Run(request, data);
}

uint8_t Cp2112Bus::WriteRead(uint8_t address7, std::span<const uint8_t> write,
                             std::span<uint8_t> read) {
  if (!repeatedStart_) {
    return Refuse(
        "this CP2112 (device version 1) has no repeated START: a write before a read "
        "was not sent");
  }
  if (write.empty() || write.size() > kLongestTarget || read.empty() ||
      read.size() > kLongestRead) {
    return Refuse(
        Words("the CP2112 writes 1 to 16 bytes before a read of 1 to 512: a write of "
              "%zu bytes before a read was not sent",
              write.size()));
  }
  Request request{kWriteReadRequest, static_cast<uint8_t>(address7 << 1), High(read.size()),
                  Low(read.size()), static_cast<uint8_t>(write.size())};
  std::copy(write.begin(), write.end(), request.begin() + 5);
  return Run(request, read);
}

uint8_t Cp2112Bus::Run(std::span<const uint8_t> request, std::span<uint8_t> read) {
  return Transfer([&] {
    if (!Send(request)) return Failed();
    const uint8_t status = AwaitEnd();
    return status != kStatusDone || read.empty() ? status : Fetch(read);
  });
}

uint8_t Cp2112Bus::AwaitEnd() {
  for (;;) {
    HidReport answer{};
    if (!Send(Request{kStatusRequest, 0x01}) || !Receive(kStatusResponse, answer)) {
      return Failed();
    }
    if (answer[1] == kComplete) return kStatusDone;
    if (answer[1] == kError) return FailureStatus(answer[2]);
    // Idle (not started yet) or busy.
    if (!PollAgain()) return Cancelled(kStatusTimeout);
  }
}

uint8_t Cp2112Bus::Fetch(std::span<uint8_t> read) {
  std::size_t got = 0;
  while (got < read.size()) {
    const std::size_t wanted = read.size() - got;
    if (!Send(Request{kForceSend, High(wanted), Low(wanted)})) return Failed();
    std::size_t count = 0;
    do {
      HidReport answer{};
      if (!Receive(kReadResponse, answer)) return Failed();
      count = answer[kCountAt];
      if (count > std::min(kDataPerResponse, read.size() - got)) {
        return Cancelled(kStatusTimeout);
      }
      std::copy_n(answer.begin() + kReadDataAt, count,
                  read.begin() + static_cast<std::ptrdiff_t>(got));
      got += count;
    } while (count > 0 && got < read.size());
    // Nothing yet: asked again in a while.
    if (count == 0 && !PollAgain()) return Cancelled(kStatusTimeout);
  }
  return kStatusDone;
}

uint8_t Cp2112Bus::Cancelled(uint8_t status) {
  if (!AdapterFailed()) Send(Request{kCancel, 0x01});
  return status;
}

}  // namespace torvix
