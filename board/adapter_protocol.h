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

// Header bytes.
inline constexpr int kHeaderCommand = 0;
inline constexpr int kHeaderLengthHigh = 1;
inline constexpr int kHeaderLengthLow = 2;
inline constexpr int kHeaderAddress7 = 3;
inline constexpr int kHeaderSubAddressLow = 4;
inline constexpr int kHeaderSubAddressHigh = 5;

// Command codes.
enum class Command : uint8_t {
  kWrite = 1,                    // write data
  kWriteInterleaved = 3,         // (sub-address low, data) pairs
  kRead = 4,                     // read data
  kReadSub = 5,                  // 1-byte sub-address, then read
  kReadInterleaved = 6,          // 1-byte interleaved read
  kReadSub16 = 8,                // 2-byte sub-address, then read
  kWriteInterleaved16 = 10,      // (sub-address high, low, data) triples
  kReadInterleaved16 = 11,       // 2-byte interleaved read
  kWriteVariant = 12,            // Send type 1
  kReadVariant = 13,             // Receive type 1
  kBusStatus = 14,               // the bus state, one byte
  kWriteSubVariant = 15,         // SendSub type 2
  kReadSubVariant = 16,          // ReceiveSub type 2
  kWriteVariant3 = 17,           // Send type 3
  kReadVariant3 = 18,            // Receive type 3
};

// Status bytes of the board (the transfer's outcome).
inline constexpr uint8_t kStatusDone = 0;
inline constexpr uint8_t kStatusTimeout = 4;
inline constexpr uint8_t kStatusDataNack = 5;
inline constexpr uint8_t kStatusBusBusy = 6;
inline constexpr uint8_t kStatusUnknownCommand = 10;
inline constexpr uint8_t kStatusAddressNack = 14;

// What a device control request reports: success, and the number of bytes transferred.
struct ControlResult {
  bool ok = false;
  uint32_t transferred = 0;
};

}  // namespace torvix
