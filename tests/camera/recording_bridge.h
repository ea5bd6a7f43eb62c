// SPDX-License-Identifier: MIT
// A bridge that writes every call into a call log and answers from a script: which transfer
// fails with which code, and which bytes the camera answers to reads.
#pragma once

#include <cstdint>
#include <deque>
#include <map>

#include "camera/bridge_api.h"
#include "tests/support/call_log.h"

namespace torvix::testing {

class RecordingBridge final : public BridgeApi {
 public:
  explicit RecordingBridge(CallLog& log) : log_(log) {}

  // The transfer with this zero-based number (SendSub, Send and Receive counted together)
  // returns code instead of 0.
  void FailTransfer(int transfer, int16_t code) { failures_[transfer] = code; }
  // IICInit fails (returns -1) and transfers on -1 return 0xFFFF, as the library does.
  void FailInit() { initFails_ = true; }
  // Bytes that successive successful Receives put into the buffer.
  void QueueReply(uint8_t value) { replies_.push_back(value); }

  int Transfers() const { return transfers_; }

  int IICInit(int address, int reserved1, int reserved2) override {
    log_.push_back(Printed("IICInit(0x%02x,%d,%d)", address, reserved1, reserved2));
    return initFails_ ? -1 : nextHandle_++ % 100;
  }
  int16_t SetAddress(int handle, int address) override {
    log_.push_back(Printed("SetAddress(%d,0x%02x)", handle, address));
    return handle < 0 ? kInvalidHandle : 0;
  }
  int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data, int length,
                  int type) override {
    log_.push_back(Printed("SendSub(%d,%d,0x%02x,%s,%d,%d)", handle, subAddressSize, subAddress,
                           HexBytes(data, length).c_str(), length, type));
    return transferResult(handle);
  }
  int16_t Send(int handle, const uint8_t* data, int type, int length) override {
    log_.push_back(
        Printed("Send(%d,%s,%d,%d)", handle, HexBytes(data, length).c_str(), type, length));
    return transferResult(handle);
  }
  // Logs the buffer as the caller handed it in, so a test sees what it was primed with.
  int16_t Receive(int handle, uint8_t* data, int type, int length) override {
    log_.push_back(
        Printed("Receive(%d,%s,%d,%d)", handle, HexBytes(data, length).c_str(), type, length));
    const int16_t result = transferResult(handle);
    if (result == 0 && data != nullptr && length > 0 && !replies_.empty()) {
      data[0] = replies_.front();
      replies_.pop_front();
    }
    return result;
  }
  void IICClose(int handle) override { log_.push_back(Printed("IICClose(%d)", handle)); }

 private:
  static constexpr int16_t kInvalidHandle = -1;

  int16_t transferResult(int handle) {
    const int number = transfers_++;
    if (handle < 0) return kInvalidHandle;
    const auto failure = failures_.find(number);
    return failure == failures_.end() ? 0 : failure->second;
  }

  CallLog& log_;
  std::map<int, int16_t> failures_;
  std::deque<uint8_t> replies_;
  bool initFails_ = false;
  int nextHandle_ = 0;
  int transfers_ = 0;
};

}  // namespace torvix::testing
