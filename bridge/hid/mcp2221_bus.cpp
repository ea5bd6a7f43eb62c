// SPDX-License-Identifier: MIT
#include "bridge/hid/mcp2221_bus.h"

#include <algorithm>
#include <optional>

#include "board/adapter_protocol.h"

namespace torvix {

namespace {

// Commands, the first byte of a report each way.
constexpr uint8_t kStatus = 0x10;
constexpr uint8_t kGetData = 0x40;
constexpr uint8_t kWriteData = 0x90;
constexpr uint8_t kReadData = 0x91;
constexpr uint8_t kReadRepeatedStart = 0x93;
constexpr uint8_t kWriteNoStop = 0x94;

// The second byte of every answer: whether the chip took the command (else its engine is busy).
constexpr uint8_t kTaken = 0x00;

// The status command: byte 2 asks to cancel the transfer, bytes 3 and 4 set the clock. Its
// answer tells the engine's state (byte 8), the clock's divider (14), whether the last address
// went unacknowledged (20) and the levels of SCL and SDA (22, 23).
constexpr std::size_t kCancelAt = 2;
constexpr uint8_t kCancel = 0x10;
constexpr std::size_t kSetClockAt = 3;
constexpr uint8_t kSetClock = 0x20;
constexpr std::size_t kEngineAt = 8;
constexpr std::size_t kDividerAt = 14;
constexpr std::size_t kNackAt = 20;
constexpr uint8_t kNackBit = 0x40;
constexpr std::size_t kSclAt = 22;
constexpr std::size_t kSdaAt = 23;
// 12 MHz over the divider plus 3: 100 kHz.
constexpr uint8_t kDivider100kHz = 12'000'000 / 100'000 - 3;

// The engine's states that end a transfer.
constexpr uint8_t kEngineIdle = 0x00;
constexpr uint8_t kEngineStartTimeout = 0x12;  // the bus never came free: a line held low
constexpr uint8_t kEngineAddressTimeout = 0x23;
constexpr uint8_t kEngineAddressNack = 0x25;
constexpr uint8_t kEngineDataTimeout = 0x44;
constexpr uint8_t kEngineStopTimeout = 0x62;

// A data report of a read: the engine's state (byte 2), the bytes it carries (3), from byte 4.
constexpr std::size_t kReadStateAt = 2;
constexpr std::size_t kReadCountAt = 3;
constexpr std::size_t kDataAt = 4;
constexpr uint8_t kReadFailed = 0x7F;  // the count of a read that brought nothing

constexpr std::size_t kDataPerReport = 60;
constexpr std::size_t kChipReport = 64;

// A write of a few bytes is on the bus in well under this at any clock the chip has; a state the
// engine keeps longer is a write that went wrong after its address.
constexpr Milliseconds kSettleTime{10};
constexpr Microseconds kSettlePerByte{1000};

// The board's status for a state that ends a transfer; none while the engine is at work.
std::optional<uint8_t> EndedWith(uint8_t state) {
  switch (state) {
    case kEngineIdle: return kStatusDone;
    case kEngineAddressNack: return kStatusAddressNack;
    case kEngineStartTimeout: return kStatusBusBusy;
    case kEngineAddressTimeout:
    case kEngineDataTimeout:
    case kEngineStopTimeout: return kStatusTimeout;
    default: return std::nullopt;
  }
}

using ChipReport = std::array<uint8_t, kChipReport>;

ChipReport Header(uint8_t command, std::size_t length, uint8_t address7) {
  return {command, static_cast<uint8_t>(length & 0xFF), static_cast<uint8_t>(length >> 8),
          static_cast<uint8_t>(address7 << 1)};
}

}  // namespace

bool Mcp2221Bus::Command(std::span<const uint8_t> command, HidReport& answer) {
  HidReport report{};  // no report numbers: number 0, then the chip's 64 bytes
  std::copy_n(command.begin(), std::min(command.size(), kChipReport), report.begin() + 1);
  return Send(std::span(report).first(kChipReport + 1)) && Receive(command[0], answer);
}

bool Mcp2221Bus::Status(HidReport& answer, uint8_t cancel, uint8_t divider) {
  ChipReport command{kStatus};
  command[kCancelAt] = cancel;
  if (divider != 0) {
    command[kSetClockAt] = kSetClock;
    command[kSetClockAt + 1] = divider;
  }
  return Command(command, answer);
}

bool Mcp2221Bus::Start() {
  Transfer([this] {
    HidReport answer{};
    if (!Status(answer)) return Failed();
    if (answer[kEngineAt] != kEngineIdle && !Status(answer, kCancel)) return Failed();
    if (answer[kDividerAt] != kDivider100kHz) Status(answer, 0, kDivider100kHz);
    return kStatusDone;
  });
  return !AdapterFailed();
}

uint8_t Mcp2221Bus::Write(uint8_t address7, std::span<const uint8_t> data) {
  return Transfer([&] {
    const uint8_t status = SendWrite(kWriteData, address7, data);
    return status == kStatusDone ? WaitForWrite(data.size()) : status;
  });
}

uint8_t Mcp2221Bus::Read(uint8_t address7, std::span<uint8_t> data) {
  return Transfer([&] {
    const uint8_t status = StartRead(kReadData, address7, data.size());
    return status == kStatusDone ? FetchRead(data) : status;
  });
}

uint8_t Mcp2221Bus::WriteRead(uint8_t address7, std::span<const uint8_t> write,
                              std::span<uint8_t> read) {
  return Transfer([&] {
    uint8_t status = SendWrite(kWriteNoStop, address7, write);
    if (status == kStatusDone) status = StartRead(kReadRepeatedStart, address7, read.size());
    return status == kStatusDone ? FetchRead(read) : status;
  });
}

uint8_t Mcp2221Bus::BusState() {
  const uint8_t state = Transfer([this] {
    HidReport answer{};
    if (!Status(answer)) return Failed();
    const bool free =
        answer[kEngineAt] == kEngineIdle && answer[kSclAt] != 0 && answer[kSdaAt] != 0;
    return free ? kBusIdle : kBusBusy;
  });
  return state == kBusIdle ? kBusIdle : kBusBusy;
}

// A report the chip does not take finds its engine still busy with the bytes before.
uint8_t Mcp2221Bus::SendWrite(uint8_t command, uint8_t address7, std::span<const uint8_t> data) {
  std::size_t sent = 0;
  do {
    const auto piece = data.subspan(sent, std::min(kDataPerReport, data.size() - sent));
    ChipReport report = Header(command, data.size(), address7);
    std::copy(piece.begin(), piece.end(), report.begin() + kDataAt);
    HidReport answer{};
    if (!Command(report, answer)) return Failed();
    if (answer[1] == kTaken) {
      sent += piece.size();
    } else if (!PollAgain()) {
      return Cancelled(kStatusTimeout);
    }
  } while (sent < data.size());
  return kStatusDone;
}

uint8_t Mcp2221Bus::WaitForWrite(std::size_t length) {
  const Microseconds settled = Now() + kSettleTime + kSettlePerByte * static_cast<int>(length);
  for (;;) {
    HidReport answer{};
    if (!Status(answer)) return Failed();
    if ((answer[kNackAt] & kNackBit) != 0) return Cancelled(kStatusAddressNack);
    if (const auto ended = EndedWith(answer[kEngineAt])) {
      return *ended == kStatusDone ? kStatusDone : Cancelled(*ended);
    }
    if (Now() >= settled) return Cancelled(kStatusDataNack);
    if (!PollAgain()) return Cancelled(kStatusTimeout);
  }
}

uint8_t Mcp2221Bus::StartRead(uint8_t command, uint8_t address7, std::size_t length) {
  if (length == 0) return Refuse("the MCP2221 reads at least one byte in a transfer");
  for (;;) {
    HidReport answer{};
    if (!Command(Header(command, length, address7), answer)) return Failed();
    if (answer[1] == kTaken) return kStatusDone;
    if (!PollAgain()) return Cancelled(kStatusTimeout);
  }
}

uint8_t Mcp2221Bus::FetchRead(std::span<uint8_t> data) {
  std::size_t got = 0;
  while (got < data.size()) {
    HidReport answer{};
    if (!Command(ChipReport{kGetData}, answer)) return Failed();
    const uint8_t count = answer[kReadCountAt];
    if (answer[1] != kTaken || count == kReadFailed || count > kDataPerReport ||
        count > data.size() - got) {
      const auto ended = EndedWith(answer[kReadStateAt]);
      return Cancelled(ended && *ended != kStatusDone ? *ended : kStatusTimeout);
    }
    std::copy_n(answer.begin() + kDataAt, count, data.begin() + static_cast<std::ptrdiff_t>(got));
    got += count;
    // No bytes yet: the chip is still reading them from the bus.
    if (count == 0 && !PollAgain()) return Cancelled(kStatusTimeout);
  }
  return kStatusDone;
}

uint8_t Mcp2221Bus::Cancelled(uint8_t status) {
  HidReport answer{};
  if (!AdapterFailed()) Status(answer, kCancel);
  return status;
}

}  // namespace torvix
