// SPDX-License-Identifier: MIT
#include "board/socket_framing.h"

namespace torvix {

namespace {

constexpr uint8_t kRefusalMark = 2;

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Reads a little-endian u32 at offset when the bytes are there.
bool GetU32(std::span<const uint8_t> bytes, std::size_t offset, uint32_t& value) {
  if (bytes.size() < offset + 4) return false;
  value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
  return true;
}

// A length-prefixed block at offset: its length, then its bytes. Advances offset past it.
DecodeStatus GetBlock(std::span<const uint8_t> bytes, std::size_t& offset, std::size_t limit,
                      std::vector<uint8_t>& block) {
  uint32_t length = 0;
  if (!GetU32(bytes, offset, length)) return DecodeStatus::kNeedMore;
  if (length > limit) return DecodeStatus::kMalformed;
  if (bytes.size() < offset + 4 + length) return DecodeStatus::kNeedMore;
  const auto* begin = bytes.data() + offset + 4;
  block.assign(begin, begin + length);
  offset += 4 + length;
  return DecodeStatus::kComplete;
}

}  // namespace

std::vector<uint8_t> EncodeRequest(uint32_t code, std::span<const uint8_t> input,
                                   std::span<const uint8_t> output) {
  std::vector<uint8_t> out;
  out.reserve(12 + input.size() + output.size());
  PutU32(out, code);
  PutU32(out, static_cast<uint32_t>(input.size()));
  out.insert(out.end(), input.begin(), input.end());
  PutU32(out, static_cast<uint32_t>(output.size()));
  out.insert(out.end(), output.begin(), output.end());
  return out;
}

std::vector<uint8_t> EncodeReply(const ControlResult& result, std::span<const uint8_t> output) {
  std::vector<uint8_t> out;
  out.reserve(9 + output.size());
  out.push_back(result.ok ? 1 : 0);
  PutU32(out, result.transferred);
  PutU32(out, static_cast<uint32_t>(output.size()));
  out.insert(out.end(), output.begin(), output.end());
  return out;
}

std::vector<uint8_t> EncodeRefusal(RefusalReason reason) {
  std::vector<uint8_t> out{kRefusalMark};
  PutU32(out, static_cast<uint32_t>(reason));
  return out;
}

DecodeStatus DecodeRefusal(std::span<const uint8_t> bytes, uint32_t& reason) {
  if (bytes.empty()) return DecodeStatus::kNeedMore;
  if (bytes[0] != kRefusalMark) return DecodeStatus::kMalformed;
  return GetU32(bytes, 1, reason) ? DecodeStatus::kComplete : DecodeStatus::kNeedMore;
}

std::string RefusalWords(uint32_t reason) {
  if (reason == static_cast<uint32_t>(RefusalReason::kTooManyConnections)) {
    return "zembrel-sim is serving too many programs";
  }
  return "the server refused the connection (reason " + std::to_string(reason) + ")";
}

DecodeStatus DecodeRequest(std::span<const uint8_t> bytes, FramedRequest& request,
                           std::size_t& consumed) {
  uint32_t code = 0;
  if (!GetU32(bytes, 0, code)) return DecodeStatus::kNeedMore;
  std::size_t offset = 4;
  FramedRequest decoded;
  decoded.code = code;
  DecodeStatus status = GetBlock(bytes, offset, kMaxFramedBuffer, decoded.input);
  if (status != DecodeStatus::kComplete) return status;
  status = GetBlock(bytes, offset, kMaxFramedBuffer, decoded.output);
  if (status != DecodeStatus::kComplete) return status;
  request = std::move(decoded);
  consumed = offset;
  return DecodeStatus::kComplete;
}

DecodeStatus DecodeReply(std::span<const uint8_t> bytes, std::size_t outputCapacity,
                         FramedReply& reply, std::size_t& consumed) {
  if (bytes.empty()) return DecodeStatus::kNeedMore;
  if (bytes[0] > 1) return DecodeStatus::kMalformed;
  FramedReply decoded;
  decoded.result.ok = bytes[0] == 1;
  if (!GetU32(bytes, 1, decoded.result.transferred)) return DecodeStatus::kNeedMore;
  std::size_t offset = 5;
  const DecodeStatus status = GetBlock(bytes, offset, outputCapacity, decoded.output);
  if (status != DecodeStatus::kComplete) return status;
  reply = std::move(decoded);
  consumed = offset;
  return DecodeStatus::kComplete;
}

}  // namespace torvix
