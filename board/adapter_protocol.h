// SPDX-License-Identifier: MIT
// The adapter board's driver protocol: what the bridge library sends and the board answers.
//
// Every transfer is a command header (6 bytes), an optional data phase and a one-byte status
// phase, each a device control request. docs/adapter-protocol.md is the reader's version.
#pragma once

#include <cstdint>

namespace torvix {

// Device control codes (device type 0x22, any access).
inline constexpr uint32_t kControlHostToBoard = 0x222051;  // input: phase; output: bytes sent
inline constexpr uint32_t kControlBoardToHost = 0x22204E;  // input: phase; output: filled
inline constexpr uint32_t kControlVersion = 0x222074;      // no input; output: 6 bytes

// Phase selector: a 32-bit little-endian integer in the input buffer.
enum class Phase : uint32_t { kHeader = 0, kWriteData = 1, kReadData = 2, kStatus = 3 };

inline constexpr uint32_t kHeaderSize = 6;
inline constexpr uint32_t kPhaseSelectorSize = 4;
inline constexpr uint32_t kVersionReplySize = 6;
// The longest data phase a transfer has: 64 data bytes, each behind a 2-byte sub-address.
inline constexpr uint32_t kMaxDataLength = 3 * 64;

// Header bytes.
inline constexpr int kHeaderCommand = 0;
inline constexpr int kHeaderLengthHigh = 1;
inline constexpr int kHeaderLengthLow = 2;
inline constexpr int kHeaderAddress7 = 3;
inline constexpr int kHeaderSubAddressLow = 4;
inline constexpr int kHeaderSubAddressHigh = 5;

// Command codes. docs/adapter-protocol.md ("Board commands") tells what the board does for each.
enum class Command : uint8_t {
  kWrite = 1,                // write data
  kWriteInterleaved = 3,     // (sub-address low, data) pairs
  kRead = 4,                 // read data
  kReadSub = 5,              // 1-byte sub-address, then read
  kReadInterleaved = 6,      // 1-byte interleaved read
  kReadSub16 = 8,            // 2-byte sub-address, then read
  kWriteInterleaved16 = 10,  // (sub-address high, low, data) triples
  kReadInterleaved16 = 11,   // 2-byte interleaved read
  kWritePolled = 12,         // write, retried while the address is not acknowledged
  kReadPolled = 13,          // read, retried while the address is not acknowledged
  kBusStatus = 14,           // the bus state, one byte
  kWriteSub16Settled = 15,   // 2-byte sub-address write, then wait out the write cycle
  kReadSub16Split = 16,      // 2-byte sub-address write, STOP, then a separate read
  kWriteWhenIdle = 17,       // wait for an idle bus, then write
  kReadWhenIdle = 18,        // wait for an idle bus, then read

  // The names the bridge gives these commands after the export types that select them.
  kWriteVariant = kWritePolled,           // Send type 1
  kReadVariant = kReadPolled,             // Receive type 1
  kWriteSubVariant = kWriteSub16Settled,  // SendSub type 2
  kReadSubVariant = kReadSub16Split,      // ReceiveSub type 2
  kWriteVariant3 = kWriteWhenIdle,        // Send type 3
  kReadVariant3 = kReadWhenIdle,          // Receive type 3
};

// Status bytes of the board (the transfer's outcome).
inline constexpr uint8_t kStatusDone = 0;
inline constexpr uint8_t kStatusArbitrationLost = 3;
inline constexpr uint8_t kStatusTimeout = 4;
inline constexpr uint8_t kStatusDataNack = 5;
inline constexpr uint8_t kStatusBusBusy = 6;
inline constexpr uint8_t kStatusUnknownCommand = 10;
inline constexpr uint8_t kStatusAddressNack = 14;

// The version the board answers to kControlVersion: three 16-bit values, little-endian.
inline constexpr uint16_t kBoardVersion[3] = {2, 1, 0};

// What a device control request reports: success, and the number of bytes transferred.
struct ControlResult {
  bool ok = false;
  uint32_t transferred = 0;
};

}  // namespace torvix
