// SPDX-License-Identifier: MIT
// Endpoint 0 of a USB device in user space, as gadgetfs and FunctionFS both hand it over: a
// control request arrives as an event; an IN request is answered by writing its data, an OUT
// request finished by reading its data stage (nothing, for one without data); I/O in the wrong
// direction stalls the request.
#pragma once

#include <linux/usb/ch9.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace torvix::testing {

// Writes a line about the emulator's own doing on stderr.
void Say(const std::string& line);

// The request in words, for those lines.
std::string Describe(const usb_ctrlrequest& setup);

// Appends a descriptor's bytes (as many as its bLength says) to what is written to endpoint 0.
template <typename Descriptor>
void AppendDescriptor(std::vector<uint8_t>& bytes, const Descriptor& descriptor) {
  const auto* begin = reinterpret_cast<const uint8_t*>(&descriptor);
  bytes.insert(bytes.end(), begin, begin + descriptor.bLength);
}

// Answers an IN request with at most its wLength of these bytes.
void WriteAnswer(int endpoint0, const usb_ctrlrequest& setup, std::span<const uint8_t> bytes);
// The status stage of an OUT request without data.
void Acknowledge(int endpoint0);
// Refuses the request.
void Stall(int endpoint0, const usb_ctrlrequest& setup);

}  // namespace torvix::testing
