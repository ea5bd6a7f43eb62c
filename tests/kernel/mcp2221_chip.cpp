// SPDX-License-Identifier: MIT
#include "tests/kernel/mcp2221_chip.h"

#include <algorithm>

#include "board/adapter_protocol.h"

namespace torvix::testing {

namespace {

constexpr uint8_t kDone = 0x00;
constexpr uint8_t kBusy = 0x01;  // the engine is in a transfer: the command was not taken
constexpr uint8_t kGetDataFailed = 0x41;

// The engine's states the driver tells apart.
constexpr uint8_t kEngineIdle = 0x00;
constexpr uint8_t kEngineStartTimeout = 0x12;
constexpr uint8_t kEngineAddressNack = 0x25;
constexpr uint8_t kEngineReadPartial = 0x54;
constexpr uint8_t kEngineReadComplete = 0x55;
// A data byte the device did not acknowledge: no state the driver names, so an I/O error to it.
constexpr uint8_t kEngineDataNack = 0x7E;
// kGetData's byte count for a read that brought nothing.
constexpr uint8_t kNoData = 0x7F;

// kStatus: byte 2 asks to cancel, bytes 3 and 4 set the clock's divider; the answer tells
// what became of both, the engine's state (byte 8), the transfer's lengths (9-12), in byte 20
// the acknowledge of the last address, and in bytes 22 and 23 the levels of SCL and SDA.
constexpr uint8_t kCancel = 0x10;
constexpr uint8_t kCancelled = 0x10;
constexpr uint8_t kAlreadyIdle = 0x11;
constexpr uint8_t kSetClock = 0x20;
constexpr uint8_t kAddressNotAcknowledged = 0x40;
constexpr std::size_t kSclLevel = 22;
constexpr std::size_t kSdaLevel = 23;

constexpr std::size_t kDataPerReport = 60;
constexpr std::size_t kHeader = 4;  // command, length (2, low first), 8-bit address

// No pin is set up as a GPIO: each reads as such.
constexpr uint8_t kNotGpioValue = 0xEE;
constexpr uint8_t kNotGpioDirection = 0xEF;

// A vendor-defined application collection of one 64-byte input and one 64-byte output report.
const std::vector<uint8_t> kReportDescriptor = {
    0x06, 0x00, 0xFF,  // usage page: vendor-defined
    0x09, 0x01,        // usage 1
    0xA1, 0x01,        // collection: application
    0x15, 0x00,        //   logical minimum 0
    0x26, 0xFF, 0x00,  //   logical maximum 255
    0x75, 0x08,        //   8 bits
    0x95, 0x40,        //   x 64
    0x09, 0x01,        //   usage 1
    0x81, 0x02,        //   input: data, variable, absolute
    0x09, 0x01,        //   usage 1
    0x91, 0x02,        //   output: data, variable, absolute
    0xC0,              // end of the collection
};

HidReport Reply(uint8_t command, uint8_t result) {
  HidReport reply(kHidReportSize, 0);
  reply[0] = command;
  reply[1] = result;
  return reply;
}

std::size_t Length(std::span<const uint8_t> command) {
  return command.size() < 3 ? 0 : command[1] | (std::size_t{command[2]} << 8);
}

void PutLength(HidReport& reply, std::size_t at, std::size_t length) {
  reply[at] = static_cast<uint8_t>(length & 0xFF);
  reply[at + 1] = static_cast<uint8_t>(length >> 8);
}

}  // namespace

Mcp2221Chip::Mcp2221Chip(I2cBus& bus)
    : bus_(bus), identity_{0x04D8, 0x00DD, 0x0100, "MCP2221 emulator", kReportDescriptor} {}

bool Mcp2221Chip::StartsTransfer(std::span<const uint8_t> report) const {
  return !report.empty() && (report[0] == kWriteData || report[0] == kWriteNoStop ||
                             report[0] == kReadData || report[0] == kReadRepeatedStart);
}

std::vector<HidReport> Mcp2221Chip::Output(std::span<const uint8_t> report) {
  if (report.empty()) return {};
  switch (report[0]) {
    case kStatus: return {Status(report)};
    case kWriteData:
    case kWriteNoStop: return {Write(report)};
    case kReadData:
    case kReadRepeatedStart: return {Read(report)};
    case kGetData: return {GetData()};
    case kGetGpio:
    case kSetGpio: {
      HidReport reply(kHidReportSize, kNotGpioValue);
      reply[0] = report[0];
      reply[1] = kDone;
      for (std::size_t pin = 0; pin < 4 && report[0] == kGetGpio; ++pin) {
        reply[3 + 2 * pin] = kNotGpioDirection;
      }
      return {reply};
    }
    default: return {};  // a command the I2C side does not know; no answer to wait for
  }
}

HidReport Mcp2221Chip::Status(std::span<const uint8_t> command) {
  HidReport reply = Reply(kStatus, kDone);
  if (command.size() > 2 && command[2] == kCancel) {
    reply[2] = Busy() || held_ || engine_ != kEngineIdle ? kCancelled : kAlreadyIdle;
    collecting_ = reading_ = false;
    held_.reset();
    engine_ = kEngineIdle;
    addressNack_ = false;
  }
  if (command.size() > 4 && command[3] == kSetClock) {
    // The clock is set only between transfers.
    if (!Busy()) clockDivider_ = command[4];
    reply[3] = Busy() ? kSetClock + 1 : kSetClock;
    reply[4] = clockDivider_;
  }
  reply[8] = engine_;
  PutLength(reply, 9, collecting_ ? writeLength_ : read_.size());
  PutLength(reply, 11, collecting_ ? written_.size() : handedOver_);
  reply[14] = clockDivider_;
  reply[20] = addressNack_ ? kAddressNotAcknowledged : 0;
  // Another master's transfer, or a line held low, keeps the lines from reading high.
  const uint8_t level = bus_.BusState() == kBusIdle ? 1 : 0;
  reply[kSclLevel] = reply[kSdaLevel] = level;
  return reply;
}

HidReport Mcp2221Chip::Write(std::span<const uint8_t> command) {
  if (reading_ || (collecting_ && command[0] != writeCommand_)) {
    HidReport busy = Reply(command[0], kBusy);
    busy[2] = engine_;
    return busy;
  }
  if (!collecting_) {
    SendHeldWrite();
    collecting_ = true;
    writeCommand_ = command[0];
    writeLength_ = Length(command);
    address7_ = command.size() > 3 ? static_cast<uint8_t>(command[3] >> 1) : 0;
    written_.clear();
    engine_ = kEngineIdle;
    addressNack_ = false;
  }
  const std::size_t carried = command.size() > kHeader ? command.size() - kHeader : 0;
  const std::size_t take = std::min({kDataPerReport, writeLength_ - written_.size(), carried});
  const auto data = command.subspan(std::min(kHeader, command.size()), take);
  written_.insert(written_.end(), data.begin(), data.end());
  if (written_.size() == writeLength_) {
    collecting_ = false;
    if (writeCommand_ == kWriteNoStop) {
      held_ = written_;
    } else {
      Ended(bus_.Write(address7_, written_));
    }
  }
  return Reply(command[0], kDone);
}

HidReport Mcp2221Chip::Read(std::span<const uint8_t> command) {
  if (Busy()) {
    HidReport busy = Reply(command[0], kBusy);
    busy[2] = engine_;
    return busy;
  }
  const uint8_t address7 = command.size() > 3 ? static_cast<uint8_t>(command[3] >> 1) : 0;
  if (command[0] != kReadRepeatedStart || address7 != address7_) SendHeldWrite();
  read_.assign(Length(command), 0);
  handedOver_ = 0;
  address7_ = address7;
  addressNack_ = false;
  Ended(held_ ? bus_.WriteRead(address7, *held_, read_) : bus_.Read(address7, read_));
  held_.reset();
  reading_ = engine_ == kEngineIdle;
  if (!reading_) read_.clear();
  return Reply(command[0], kDone);
}

HidReport Mcp2221Chip::GetData() {
  HidReport reply = Reply(kGetData, kDone);
  if (!reading_) {
    // The read failed on the bus (its state says how), or there was none to hand over.
    if (engine_ == kEngineIdle) reply[1] = kGetDataFailed;
    reply[2] = engine_;
    reply[3] = kNoData;
    return reply;
  }
  const std::size_t take = std::min(kDataPerReport, read_.size() - handedOver_);
  std::copy_n(read_.begin() + static_cast<std::ptrdiff_t>(handedOver_), take,
              reply.begin() + kHeader);
  handedOver_ += take;
  reading_ = handedOver_ < read_.size();
  reply[2] = reading_ ? kEngineReadPartial : kEngineReadComplete;
  reply[3] = static_cast<uint8_t>(take);
  return reply;
}

void Mcp2221Chip::Ended(uint8_t busStatus) {
  addressNack_ = busStatus == kStatusAddressNack;
  switch (busStatus) {
    case kStatusDone: engine_ = kEngineIdle; break;
    case kStatusAddressNack: engine_ = kEngineAddressNack; break;
    case kStatusDataNack: engine_ = kEngineDataNack; break;
    default: engine_ = kEngineStartTimeout; break;  // the bus was never free: busy, stuck
  }
}

void Mcp2221Chip::SendHeldWrite() {
  if (!held_) return;
  Ended(bus_.Write(address7_, *held_));
  held_.reset();
}

}  // namespace torvix::testing
