// SPDX-License-Identifier: MIT
// A bridge that answers the camera's read requests from a fixed pattern and counts them, with
// one read that can be made to fail: its request, or its one-byte read.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "camera/bridge_api.h"

namespace torvix::testing {

using ReadRequest = std::tuple<int, int, int>;  // subAddress, target, offset

// What the fake camera holds at (target, offset): distinct across pages and blocks.
inline uint8_t PatternValue(int target, int offset) {
  return static_cast<uint8_t>(offset * 7 + target * 13 + 5);
}

class PatternCameraBridge final : public BridgeApi {
 public:
  enum class FailAt { kRequest, kRead };

  // The read with this zero-based number fails with code (5: not acknowledged).
  void FailRead(int read, FailAt where) {
    failRead_ = read;
    failWhere_ = where;
  }

  const std::vector<ReadRequest>& Requests() const { return requests_; }
  int Writes() const { return writes_; }

  int IICInit(int, int, int) override { return 0; }
  int16_t SetAddress(int, int) override { return 0; }
  int16_t SendSub(int, int, int subAddress, const uint8_t* data, int length, int) override {
    if (length != 2 || data == nullptr) return 9;
    requests_.emplace_back(subAddress, data[0], data[1]);
    return failing(FailAt::kRequest) ? kNack : 0;
  }
  int16_t Send(int, const uint8_t*, int, int) override {
    ++writes_;
    return 0;
  }
  int16_t Receive(int, uint8_t* data, int, int length) override {
    if (length != 1 || data == nullptr || requests_.empty()) return 9;
    if (failing(FailAt::kRead)) return kNack;
    const auto& [sub, target, offset] = requests_.back();
    data[0] = PatternValue(target, offset);
    return 0;
  }
  void IICClose(int) override {}

 private:
  static constexpr int16_t kNack = 5;

  bool failing(FailAt where) const {
    return where == failWhere_ && static_cast<int>(requests_.size()) - 1 == failRead_;
  }

  std::vector<ReadRequest> requests_;
  int failRead_ = -1;
  FailAt failWhere_ = FailAt::kRequest;
  int writes_ = 0;
};

}  // namespace torvix::testing
