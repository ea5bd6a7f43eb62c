// SPDX-License-Identifier: MIT
// A HID bridge chip's emulator (tests/kernel/, the one the kernel's drivers accept) behind the
// HID access seam, with the faults a system shows: a chip unplugged after some reports, one that
// answers nothing, a report left over from before. Waits run on the clock seam, so a virtual
// clock shows the deadline a read was given.
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <span>
#include <vector>

#include "bridge/hid/hid_access.h"
#include "clock/clock.h"
#include "sim/sim_rig.h"
#include "tests/kernel/cp2112_chip.h"
#include "tests/kernel/hid_chip.h"
#include "tests/kernel/mcp2221_chip.h"

namespace torvix::testing {

// The chip's end of the cable: what the host sent, what waits for it.
struct ChipLine {
  ChipLine(HidChip& emulator, bool withNumbers) : chip(emulator), numbered(withNumbers) {}

  // An output report, number first: false once the chip is unplugged.
  bool Output(std::span<const uint8_t> report) {
    if (goneAfter == 0) gone = true;
    if (gone) return false;
    --goneAfter;
    const auto bytes = numbered ? report : report.subspan(1);
    written.emplace_back(bytes.begin(), bytes.end());
    for (HidReport& answer : chip.Output(bytes)) {
      if (!silent) answers.push_back(std::move(answer));
    }
    return true;
  }

  HidChip& chip;
  bool numbered;
  std::deque<HidReport> answers;
  std::vector<HidReport> written;  // each output report as the chip got it
  int goneAfter = -1;              // output reports it takes before it is unplugged
  bool silent = false;             // it takes reports and answers none
  bool gone = false;
};

// A chip's emulator on a fresh virtual bus: the camera, and a device at 0x50 that reads 0xFF.
struct ChipOnBus {
  explicit ChipOnBus(bool cp2112)
      : chip(cp2112 ? std::unique_ptr<HidChip>(std::make_unique<Cp2112Chip>(sim.Bus()))
                    : std::make_unique<Mcp2221Chip>(sim.Bus())),
        line(*chip, cp2112) {
    sim.AddDevice(0xA0);
  }

  SimRig sim;
  std::unique_ptr<HidChip> chip;
  ChipLine line;
};

class ChipHidAccess final : public HidAccess {
 public:
  explicit ChipHidAccess(ChipLine& line) : line_(line) {}

  HidOutcome Write(std::span<const uint8_t> report, Microseconds /*deadline*/) override {
    return line_.Output(report) ? HidOutcome::kDone : HidOutcome::kGone;
  }
  HidRead Read(std::span<uint8_t> buffer, Microseconds deadline) override {
    if (line_.gone) return {HidOutcome::kGone, 0};
    if (line_.answers.empty()) {
      if (deadline > Now()) Pause(std::chrono::ceil<Milliseconds>(deadline - Now()));
      return {HidOutcome::kTimeout, 0};
    }
    const HidReport answer = std::move(line_.answers.front());
    line_.answers.pop_front();
    const std::size_t size = std::min(answer.size(), buffer.size());
    std::copy_n(answer.begin(), size, buffer.begin());
    return {HidOutcome::kDone, size};
  }
  HidRead GetFeature(std::span<uint8_t> report) override {
    const auto got = line_.chip.GetFeature(report[0]);
    if (line_.gone || !got) return {HidOutcome::kGone, 0};
    const std::size_t size = std::min(got->size(), report.size());
    std::copy_n(got->begin(), size, report.begin());
    return {HidOutcome::kDone, size};
  }
  HidOutcome SetFeature(std::span<const uint8_t> report) override {
    return !line_.gone && line_.chip.SetFeature(report) ? HidOutcome::kDone : HidOutcome::kGone;
  }

 private:
  ChipLine& line_;
};

}  // namespace torvix::testing
