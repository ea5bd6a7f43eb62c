// SPDX-License-Identifier: MIT
// The framing of device control requests on a stream socket, one connection per opened device.
//
//   request: u32 code | u32 n_in | n_in bytes input | u32 n_out | n_out bytes output buffer
//   reply:   u8 ok | u32 bytes_transferred | u32 m (m <= n_out) | m bytes: new output[0..m)
//   refusal: u8 2 | u32 reason, in place of any reply, after which the server closes the
//            connection: it will serve none of its requests
//
// Integers are little-endian. The codec is pure (bytes in, bytes out) so both ends, and the
// fuzzers, share it; each end does its own socket reads and feeds them in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "board/adapter_protocol.h"

namespace torvix {

// No legitimate request comes near this (the largest payload is 192 bytes); anything longer
// is a hostile or broken peer and is refused before a byte of it is buffered.
inline constexpr uint32_t kMaxFramedBuffer = 4096;

struct FramedRequest {
  uint32_t code = 0;
  std::vector<uint8_t> input;
  std::vector<uint8_t> output;
};

struct FramedReply {
  ControlResult result;
  std::vector<uint8_t> output;  // the new content of output[0..m)
};

enum class DecodeStatus { kComplete, kNeedMore, kMalformed };

std::vector<uint8_t> EncodeRequest(uint32_t code, std::span<const uint8_t> input,
                                   std::span<const uint8_t> output);
// m is the number of output bytes the reply carries back (0 for host-to-board requests).
std::vector<uint8_t> EncodeReply(const ControlResult& result, std::span<const uint8_t> output);

// Why a server refuses a connection. A client that does not know a reason still knows it was
// refused.
enum class RefusalReason : uint32_t {
  kTooManyConnections = 1,  // it serves as many connections as it can already
};

std::vector<uint8_t> EncodeRefusal(RefusalReason reason);
// kComplete when bytes begin with a whole refusal, kNeedMore with part of one, kMalformed when
// they are no refusal (a reply, for one).
DecodeStatus DecodeRefusal(std::span<const uint8_t> bytes, uint32_t& reason);
// The words a user sees for a refusal: "zembrel-sim is serving too many programs".
std::string RefusalWords(uint32_t reason);

// Decodes one request from the front of bytes. On kComplete, consumed tells how many bytes it
// took; on kNeedMore the caller reads more and tries again; kMalformed ends the connection.
DecodeStatus DecodeRequest(std::span<const uint8_t> bytes, FramedRequest& request,
                           std::size_t& consumed);
// outputCapacity is the n_out of the request this reply answers: a larger m is malformed.
DecodeStatus DecodeReply(std::span<const uint8_t> bytes, std::size_t outputCapacity,
                         FramedReply& reply, std::size_t& consumed);

}  // namespace torvix
