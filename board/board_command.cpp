// SPDX-License-Identifier: MIT
#include "board/board_command.h"

#include <algorithm>
#include <array>
#include <functional>

namespace torvix {

namespace {

uint8_t Low(unsigned value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t High(unsigned value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

// Interleaved writes carry one sub-address per data byte: each group is a transfer of its own,
// so a device with an auto-incrementing pointer and one without both end up with the same
// bytes. An incomplete last group is still sent as it is.
uint8_t WriteGroups(I2cBus& bus, uint8_t address7, std::span<const uint8_t> payload,
                    std::size_t group) {
  for (std::size_t at = 0; at < payload.size(); at += group) {
    const auto chunk = payload.subspan(at, std::min(group, payload.size() - at));
    const uint8_t status = bus.Write(address7, chunk);
    if (status != kStatusDone) return status;
  }
  return kStatusDone;
}

// One-byte reads, each behind its own sub-address (1 or 2 bytes, counting up).
uint8_t ReadInterleaved(I2cBus& bus, const CommandHeader& header, std::span<uint8_t> data,
                        bool wideSubAddress) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const unsigned sub = (header.subAddress + i) & 0xFFFF;
    const std::array<uint8_t, 2> wide{High(sub), Low(sub)};
    const auto select =
        wideSubAddress ? std::span<const uint8_t>(wide) : std::span<const uint8_t>(wide).subspan(1);
    const uint8_t status = bus.WriteRead(header.address7, select, data.subspan(i, 1));
    if (status != kStatusDone) return status;
  }
  return kStatusDone;
}

// Acknowledge polling: a device that is busy (an EEPROM in its write cycle, a camera loading
// its defaults) does not acknowledge its address; the board tries again a few times.
uint8_t Polled(const std::function<uint8_t()>& transfer) {
  uint8_t status = transfer();
  for (int tries = 1; status == kStatusAddressNack && tries < kPollTries; ++tries) {
    Pause(kPollInterval);
    status = transfer();
  }
  return status;
}

// Waits for another master to release the bus before the transfer.
uint8_t WhenIdle(I2cBus& bus, const std::function<uint8_t()>& transfer) {
  for (int tries = 0; bus.BusState() != kBusIdle; ++tries) {
    if (tries + 1 >= kPollTries) return kStatusBusBusy;
    Pause(kPollInterval);
  }
  return transfer();
}

// After a write with a 2-byte sub-address (an EEPROM page), the board waits until the device
// acknowledges again, so the next transfer does not find it busy.
uint8_t Settled(I2cBus& bus, uint8_t address7, std::span<const uint8_t> payload) {
  const uint8_t status = bus.Write(address7, payload);
  if (status != kStatusDone) return status;
  for (int tries = 0; tries < kPollTries; ++tries) {
    Pause(kPollInterval);
    const uint8_t probe = bus.Write(address7, {});
    if (probe != kStatusAddressNack) return probe;
  }
  return kStatusTimeout;
}

}  // namespace

CommandHeader DecodeHeader(std::span<const uint8_t, kHeaderSize> bytes) {
  CommandHeader header;
  header.command = bytes[kHeaderCommand];
  header.length = static_cast<uint16_t>((bytes[kHeaderLengthHigh] << 8) | bytes[kHeaderLengthLow]);
  header.address7 = bytes[kHeaderAddress7] & 0x7F;
  header.subAddress =
      static_cast<uint16_t>(bytes[kHeaderSubAddressLow] | (bytes[kHeaderSubAddressHigh] << 8));
  return header;
}

CommandKind KindOf(uint8_t command) {
  switch (static_cast<Command>(command)) {
    case Command::kWrite:
    case Command::kWriteInterleaved:
    case Command::kWriteInterleaved16:
    case Command::kWritePolled:
    case Command::kWriteSub16Settled:
    case Command::kWriteWhenIdle: return CommandKind::kWrite;
    case Command::kRead:
    case Command::kReadSub:
    case Command::kReadInterleaved:
    case Command::kReadSub16:
    case Command::kReadInterleaved16:
    case Command::kReadPolled:
    case Command::kBusStatus:
    case Command::kReadSub16Split:
    case Command::kReadWhenIdle: return CommandKind::kRead;
  }
  return CommandKind::kUnknown;
}

uint8_t RunWriteCommand(I2cBus& bus, const CommandHeader& header,
                        std::span<const uint8_t> payload) {
  const uint8_t a = header.address7;
  switch (static_cast<Command>(header.command)) {
    case Command::kWrite: return bus.Write(a, payload);
    case Command::kWriteInterleaved: return WriteGroups(bus, a, payload, 2);
    case Command::kWriteInterleaved16: return WriteGroups(bus, a, payload, 3);
    case Command::kWritePolled: return Polled([&] { return bus.Write(a, payload); });
    case Command::kWriteSub16Settled: return Settled(bus, a, payload);
    case Command::kWriteWhenIdle: return WhenIdle(bus, [&] { return bus.Write(a, payload); });
    default: return kStatusUnknownCommand;
  }
}

uint8_t RunReadCommand(I2cBus& bus, const CommandHeader& header, std::span<uint8_t> data) {
  const uint8_t a = header.address7;
  const unsigned sub = header.subAddress;
  const std::array<uint8_t, 2> sub16{High(sub), Low(sub)};
  const std::array<uint8_t, 1> sub8{Low(sub)};
  switch (static_cast<Command>(header.command)) {
    case Command::kRead: return bus.Read(a, data);
    case Command::kReadSub: return bus.WriteRead(a, sub8, data);
    case Command::kReadInterleaved: return ReadInterleaved(bus, header, data, false);
    case Command::kReadSub16: return bus.WriteRead(a, sub16, data);
    case Command::kReadInterleaved16: return ReadInterleaved(bus, header, data, true);
    case Command::kReadPolled: return Polled([&] { return bus.Read(a, data); });
    case Command::kBusStatus:
      std::fill(data.begin(), data.end(), uint8_t{0});
      if (!data.empty()) data[0] = bus.BusState();
      return kStatusDone;
    case Command::kReadSub16Split: {
      const uint8_t status = bus.Write(a, sub16);
      return status != kStatusDone ? status : bus.Read(a, data);
    }
    case Command::kReadWhenIdle: return WhenIdle(bus, [&] { return bus.Read(a, data); });
    default: return kStatusUnknownCommand;
  }
}

}  // namespace torvix
