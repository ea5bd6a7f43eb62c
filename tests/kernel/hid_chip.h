// SPDX-License-Identifier: MIT
// A USB-to-I2C bridge chip of the HID class, as its host sees it: the reports it takes and the
// reports it answers, with an I2C bus behind it. How the reports travel is not its business:
// the kernel rig carries them over USB (functionfs_device.h), and a test may hand them in.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torvix::testing {

using HidReport = std::vector<uint8_t>;

// What the host reads of the chip before it sends a report: its USB ids and the HID report
// descriptor, which tells which reports it has and how long each is.
struct HidChipIdentity {
  uint16_t vendor = 0;
  uint16_t product = 0;
  uint16_t release = 0;
  std::string productName;
  std::vector<uint8_t> reportDescriptor;
};

// Every report on the interrupt endpoints is this long; a chip with numbered reports carries
// the report's number in its first byte.
inline constexpr std::size_t kHidReportSize = 64;

class HidChip {
 public:
  virtual ~HidChip() = default;

  virtual const HidChipIdentity& Identity() const = 0;
  // An output report (interrupt OUT): the input reports it answers, in order; none for a
  // report the chip answers nothing to.
  virtual std::vector<HidReport> Output(std::span<const uint8_t> report) = 0;
  // GET_REPORT for a feature report: its bytes, the number first, or nothing to refuse it.
  virtual std::optional<HidReport> GetFeature(uint8_t number) = 0;
  // SET_REPORT for a feature report, the number first: false to refuse it.
  virtual bool SetFeature(std::span<const uint8_t> report) = 0;
  // Whether an output report starts a transfer on the I2C bus: where the rig pulls the plug to
  // leave the driver waiting for the transfer's answer.
  virtual bool StartsTransfer(std::span<const uint8_t> report) const = 0;
};

}  // namespace torvix::testing
