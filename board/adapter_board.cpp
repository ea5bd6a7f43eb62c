// SPDX-License-Identifier: MIT
#include "board/adapter_board.h"

#include <algorithm>
#include <vector>

namespace torvix {

namespace {

constexpr ControlResult kFailed{false, 0};

bool ReadPhase(std::span<const uint8_t> input, uint32_t& phase) {
  if (input.size() != kPhaseSelectorSize) return false;
  phase = static_cast<uint32_t>(input[0]) | (static_cast<uint32_t>(input[1]) << 8) |
          (static_cast<uint32_t>(input[2]) << 16) | (static_cast<uint32_t>(input[3]) << 24);
  return true;
}

}  // namespace

ControlResult AdapterBoard::Control(uint32_t code, std::span<const uint8_t> input,
                                    std::span<uint8_t> output) {
  if (code == kControlVersion) return Version(output);
  uint32_t phase = 0;
  if (!ReadPhase(input, phase)) return kFailed;
  if (code == kControlHostToBoard) {
    if (phase == static_cast<uint32_t>(Phase::kHeader)) return Header(output);
    if (phase == static_cast<uint32_t>(Phase::kWriteData)) return WriteData(output);
  } else if (code == kControlBoardToHost) {
    if (phase == static_cast<uint32_t>(Phase::kReadData)) return ReadData(output);
    if (phase == static_cast<uint32_t>(Phase::kStatus)) return Status(output);
  }
  return kFailed;
}

ControlResult AdapterBoard::Header(std::span<const uint8_t> bytes) {
  // A new header always starts a new transfer; whatever was pending is abandoned.
  pending_.reset();
  if (bytes.size() != kHeaderSize) return kFailed;
  const CommandHeader header = DecodeHeader(bytes.first<kHeaderSize>());
  // A longer promise comes from no bridge; taken up, it would have a read without data phase
  // run up to 65535 bus transfers (and as many log lines) for a single request.
  if (header.length > kMaxDataLength) return kFailed;
  pending_ = Pending{header, false, kStatusDone};
  return {true, kHeaderSize};
}

ControlResult AdapterBoard::WriteData(std::span<const uint8_t> payload) {
  if (!pending_ || pending_->executed) return kFailed;
  const CommandHeader& header = pending_->header;
  const CommandKind kind = KindOf(header.command);
  if (kind == CommandKind::kRead || payload.size() != header.length) {
    pending_.reset();
    return kFailed;
  }
  pending_->executed = true;
  pending_->status = kStatusUnknownCommand;
  if (kind == CommandKind::kWrite) {
    pending_->status = RunWriteCommand(bus_, header, payload);
    if (adapterFailed()) return kFailed;
  }
  return {true, static_cast<uint32_t>(payload.size())};
}

ControlResult AdapterBoard::ReadData(std::span<uint8_t> data) {
  if (!pending_ || pending_->executed) return kFailed;
  const CommandHeader& header = pending_->header;
  const CommandKind kind = KindOf(header.command);
  if (kind == CommandKind::kWrite || data.size() != header.length) {
    pending_.reset();
    return kFailed;
  }
  if (kind == CommandKind::kRead) {
    pending_->status = RunReadCommand(bus_, header, data);
    if (adapterFailed()) return kFailed;
  } else {
    // Nothing was read for an unknown command: the buffer must not look like data.
    std::fill(data.begin(), data.end(), uint8_t{0});
    pending_->status = kStatusUnknownCommand;
  }
  pending_->executed = true;
  return {true, static_cast<uint32_t>(data.size())};
}

ControlResult AdapterBoard::Status(std::span<uint8_t> out) {
  if (out.empty() || !pending_) return kFailed;
  if (!pending_->executed) {
    const CommandHeader& header = pending_->header;
    switch (KindOf(header.command)) {
      case CommandKind::kWrite:
        // The payload never came: nothing may be sent on its behalf.
        if (header.length != 0) {
          pending_.reset();
          return kFailed;
        }
        pending_->status = RunWriteCommand(bus_, header, {});
        if (adapterFailed()) return kFailed;
        break;
      case CommandKind::kRead: {
        // A read of zero bytes has no data phase (nor has a request from an older driver
        // that skips it): the transfer still happens on the bus, and what it read stays here.
        std::vector<uint8_t> scratch(header.length);
        pending_->status = RunReadCommand(bus_, header, scratch);
        if (adapterFailed()) return kFailed;
        break;
      }
      case CommandKind::kUnknown: pending_->status = kStatusUnknownCommand; break;
    }
  }
  out[0] = pending_->status;
  pending_.reset();
  return {true, 1};
}

// A command whose transfer failed in the adapter itself has no status to answer: its request
// fails, and the transfer is over.
bool AdapterBoard::adapterFailed() {
  if (!bus_.AdapterFailed()) return false;
  pending_.reset();
  return true;
}

ControlResult AdapterBoard::Version(std::span<uint8_t> out) {
  if (out.size() < kVersionReplySize) return kFailed;
  for (std::size_t i = 0; i < 3; ++i) {
    out[2 * i] = static_cast<uint8_t>(kBoardVersion[i] & 0xFF);
    out[2 * i + 1] = static_cast<uint8_t>(kBoardVersion[i] >> 8);
  }
  return {true, kVersionReplySize};
}

}  // namespace torvix
