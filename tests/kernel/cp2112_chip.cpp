// SPDX-License-Identifier: MIT
#include "tests/kernel/cp2112_chip.h"

#include <algorithm>

#include "board/adapter_protocol.h"

namespace torvix::testing {

namespace {

// kStatusResponse's first status byte, and the second one's reasons for kError.
constexpr uint8_t kIdle = 0x00;
constexpr uint8_t kBusy = 0x01;
constexpr uint8_t kComplete = 0x02;
constexpr uint8_t kError = 0x03;
constexpr uint8_t kAddressNotAcknowledged = 0x00;  // told as a time-out of the address
constexpr uint8_t kBusNotFree = 0x01;
constexpr uint8_t kArbitrationLost = 0x02;
constexpr uint8_t kReadIncomplete = 0x03;
constexpr uint8_t kWriteIncomplete = 0x04;
constexpr uint8_t kSucceeded = 0x05;

constexpr std::size_t kLongestWrite = 61;
constexpr std::size_t kLongestRead = 512;
constexpr std::size_t kLongestTarget = 16;  // the write before a repeated START
constexpr std::size_t kDataPerResponse = 61;

constexpr uint8_t kPartNumber = 0x0C;
// Above 1: the chip puts a repeated START between a write and a read.
constexpr uint8_t kDeviceVersion = 0x02;
constexpr uint8_t kNothingLocked = 0xFF;  // every one-time field may still be programmed

enum class Kind : uint8_t { kInput = 0x81, kOutput = 0x91, kFeature = 0xB1 };
struct Declared {
  uint8_t number;
  Kind kind;
  uint8_t bytes;  // after the number
};
// The reports this emulator has; the interrupt ones fill a 64-byte packet.
constexpr Declared kReports[] = {
    {Cp2112Chip::kVersion, Kind::kFeature, 2},
    {Cp2112Chip::kSmbusConfig, Kind::kFeature, 13},
    {Cp2112Chip::kLockByte, Kind::kFeature, 1},
    {Cp2112Chip::kReadRequest, Kind::kOutput, 63},
    {Cp2112Chip::kWriteReadRequest, Kind::kOutput, 63},
    {Cp2112Chip::kForceSend, Kind::kOutput, 63},
    {Cp2112Chip::kWriteRequest, Kind::kOutput, 63},
    {Cp2112Chip::kStatusRequest, Kind::kOutput, 63},
    {Cp2112Chip::kCancel, Kind::kOutput, 63},
    {Cp2112Chip::kReadResponse, Kind::kInput, 63},
    {Cp2112Chip::kStatusResponse, Kind::kInput, 63},
};

// A vendor-defined application collection with each report of kReports under its number.
std::vector<uint8_t> ReportDescriptor() {
  std::vector<uint8_t> bytes = {
      0x06, 0x00, 0xFF,  // usage page: vendor-defined
      0x09, 0x01,        // usage 1
      0xA1, 0x01,        // collection: application
      0x15, 0x00,        //   logical minimum 0
      0x26, 0xFF, 0x00,  //   logical maximum 255
      0x75, 0x08,        //   8 bits each
  };
  for (const Declared& report : kReports) {
    // Its number, its length, usage 1, and its kind: data, variable, absolute.
    bytes.insert(bytes.end(), {0x85, report.number, 0x95, report.bytes, 0x09, 0x01,
                               static_cast<uint8_t>(report.kind), 0x02});
  }
  bytes.push_back(0xC0);  // end of the collection
  return bytes;
}

std::size_t BigEndian(std::span<const uint8_t> report, std::size_t at) {
  return report.size() < at + 2 ? 0 : (std::size_t{report[at]} << 8) | report[at + 1];
}

}  // namespace

Cp2112Chip::Cp2112Chip(I2cBus& bus)
    : bus_(bus),
      identity_{0x10C4, 0xEA90, 0x0100, "CP2112 emulator", ReportDescriptor()},
      // 100 kHz, own address 0x02, no time-outs, retries without limit.
      smbusConfig_{kSmbusConfig, 0x00, 0x01, 0x86, 0xA0, 0x02} {}

bool Cp2112Chip::StartsTransfer(std::span<const uint8_t> report) const {
  return !report.empty() && (report[0] == kWriteRequest || report[0] == kReadRequest ||
                             report[0] == kWriteReadRequest);
}

std::vector<HidReport> Cp2112Chip::Output(std::span<const uint8_t> report) {
  if (report.empty()) return {};
  if (StartsTransfer(report)) {
    Transfer(report);
    return {};
  }
  switch (report[0]) {
    case kStatusRequest: {
      HidReport reply(kHidReportSize, 0);
      reply[0] = kStatusResponse;
      reply[1] = status0_;
      reply[2] = status1_;
      reply[5] = static_cast<uint8_t>(read_.size() >> 8);  // the bytes read, high first
      reply[6] = static_cast<uint8_t>(read_.size() & 0xFF);
      return {reply};
    }
    case kForceSend: return ReadResponses(BigEndian(report, 1));
    case kCancel:
      status0_ = kIdle;
      read_.clear();
      return {};
    default: return {};
  }
}

void Cp2112Chip::Transfer(std::span<const uint8_t> report) {
  const uint8_t address7 = report.size() > 1 ? static_cast<uint8_t>(report[1] >> 1) : 0;
  read_.clear();
  handedOver_ = 0;
  if (report[0] == kWriteRequest) {
    const std::size_t length = report.size() > 2 ? report[2] : 0;
    if (length > kLongestWrite || report.size() < 3 + length) return Ended(kStatusDataNack, false);
    return Ended(bus_.Write(address7, report.subspan(3, length)), false);
  }
  const std::size_t length = BigEndian(report, 2);
  if (length < 1 || length > kLongestRead) return Ended(kStatusUnknownCommand, true);
  std::vector<uint8_t> in(length, 0);
  if (report[0] == kReadRequest) {
    const uint8_t status = bus_.Read(address7, in);
    if (status == kStatusDone) read_ = std::move(in);
    return Ended(status, true);
  }
  const std::size_t targetLength = report.size() > 4 ? report[4] : 0;
  if (targetLength < 1 || targetLength > kLongestTarget || report.size() < 5 + targetLength) {
    return Ended(kStatusDataNack, false);
  }
  const uint8_t status = bus_.WriteRead(address7, report.subspan(5, targetLength), in);
  if (status == kStatusDone) read_ = std::move(in);
  Ended(status, true);
}

void Cp2112Chip::Ended(uint8_t busStatus, bool reading) {
  status0_ = busStatus == kStatusDone ? kComplete : kError;
  switch (busStatus) {
    case kStatusDone: status1_ = kSucceeded; break;
    case kStatusAddressNack: status1_ = kAddressNotAcknowledged; break;
    case kStatusTimeout:
    case kStatusBusBusy: status1_ = kBusNotFree; break;
    case kStatusArbitrationLost: status1_ = kArbitrationLost; break;
    default: status1_ = reading ? kReadIncomplete : kWriteIncomplete; break;
  }
}

std::vector<HidReport> Cp2112Chip::ReadResponses(std::size_t wanted) {
  std::vector<HidReport> responses;
  do {
    const std::size_t take = std::min({kDataPerResponse, wanted, read_.size() - handedOver_});
    HidReport response(kHidReportSize, 0);
    response[0] = kReadResponse;
    std::copy_n(read_.begin() + static_cast<std::ptrdiff_t>(handedOver_), take,
                response.begin() + 3);
    handedOver_ += take;
    wanted -= take;
    response[1] = handedOver_ < read_.size() ? kBusy : kComplete;
    response[2] = static_cast<uint8_t>(take);
    responses.push_back(std::move(response));
  } while (wanted > 0 && handedOver_ < read_.size());
  return responses;
}

std::optional<HidReport> Cp2112Chip::GetFeature(uint8_t number) {
  switch (number) {
    case kVersion: return HidReport{kVersion, kPartNumber, kDeviceVersion};
    case kSmbusConfig: return HidReport(smbusConfig_.begin(), smbusConfig_.end());
    case kLockByte: return HidReport{kLockByte, kNothingLocked};
    default: return std::nullopt;
  }
}

bool Cp2112Chip::SetFeature(std::span<const uint8_t> report) {
  if (report.size() != smbusConfig_.size() || report[0] != kSmbusConfig) return false;
  std::copy(report.begin(), report.end(), smbusConfig_.begin());
  return true;
}

}  // namespace torvix::testing
