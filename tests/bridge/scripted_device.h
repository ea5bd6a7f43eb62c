// SPDX-License-Identifier: MIT
// A fake adapter device for the bridge's tests: it records every request and answers each from
// a script, or with plain success once the script runs out.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "bridge/src/adapter_device.h"

namespace torvix::testing {

struct RecordedRequest {
  uint32_t code = 0;
  std::optional<uint32_t> phase;  // the selector, when the input held exactly four bytes
  std::vector<uint8_t> sent;      // host-to-board: the bytes sent
  std::size_t capacity = 0;       // the output buffer's size
};

struct Answer {
  bool ok = true;
  std::optional<uint32_t> transferred;  // default: the whole output buffer
  std::vector<uint8_t> fill;            // board-to-host: bytes written to the output's front
};

inline Answer Fails() { return Answer{false, std::nullopt, {}}; }
inline Answer Reports(uint32_t transferred) { return Answer{true, transferred, {}}; }
inline Answer Bytes(std::vector<uint8_t> fill, std::optional<uint32_t> transferred = {}) {
  return Answer{true, transferred, std::move(fill)};
}

// Shared between the test and every device it opens, so it outlives IICClose.
struct DeviceScript {
  std::vector<RecordedRequest> requests;
  std::deque<Answer> answers;
  int opened = 0;
  int closed = 0;

  // Consulted once the script has run out; plain success when empty.
  std::function<Answer(const std::vector<RecordedRequest>&)> responder;

  // Answers the first `count` requests with plain success, then `answer`.
  void AnswerAfter(std::size_t count, Answer answer) {
    for (std::size_t i = 0; i < count; ++i) answers.push_back({});
    answers.push_back(std::move(answer));
  }
};

class ScriptedDevice final : public AdapterDevice {
 public:
  explicit ScriptedDevice(std::shared_ptr<DeviceScript> script) : script_(std::move(script)) {
    ++script_->opened;
  }
  ~ScriptedDevice() override { ++script_->closed; }

  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    RecordedRequest request{code, std::nullopt, {}, output.size()};
    if (input.size() == 4) {
      request.phase = static_cast<uint32_t>(input[0]) | (static_cast<uint32_t>(input[1]) << 8) |
                      (static_cast<uint32_t>(input[2]) << 16) |
                      (static_cast<uint32_t>(input[3]) << 24);
    }
    if (code == kControlHostToBoard) request.sent.assign(output.begin(), output.end());
    script_->requests.push_back(std::move(request));

    Answer answer;
    if (!script_->answers.empty()) {
      answer = std::move(script_->answers.front());
      script_->answers.pop_front();
    } else if (script_->responder) {
      answer = script_->responder(script_->requests);
    }
    if (code != kControlHostToBoard) {
      for (std::size_t i = 0; i < answer.fill.size() && i < output.size(); ++i) {
        output[i] = answer.fill[i];
      }
    }
    const auto whole = static_cast<uint32_t>(output.size());
    return {answer.ok, answer.transferred.value_or(whole)};
  }

 private:
  std::shared_ptr<DeviceScript> script_;
};

}  // namespace torvix::testing
