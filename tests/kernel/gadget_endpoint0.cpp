// SPDX-License-Identifier: MIT
#include "tests/kernel/gadget_endpoint0.h"

#include <endian.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace torvix::testing {

void Say(const std::string& line) { std::fprintf(stderr, "adapter-emulator: %s\n", line.c_str()); }

std::string Describe(const usb_ctrlrequest& setup) {
  char text[64];
  std::snprintf(text, sizeof text, "request %02x.%02x value %04x index %04x length %u",
                setup.bRequestType, setup.bRequest, le16toh(setup.wValue), le16toh(setup.wIndex),
                le16toh(setup.wLength));
  return text;
}

void WriteAnswer(int endpoint0, const usb_ctrlrequest& setup, std::span<const uint8_t> bytes) {
  const std::size_t size = std::min<std::size_t>(bytes.size(), le16toh(setup.wLength));
  if (::write(endpoint0, bytes.data(), size) != static_cast<ssize_t>(size)) {
    Say("answering " + Describe(setup) + ": " + std::strerror(errno));
  }
}

void Acknowledge(int endpoint0) {
  if (::read(endpoint0, nullptr, 0) < 0) Say(std::string("status stage: ") + std::strerror(errno));
}

void Stall(int endpoint0, const usb_ctrlrequest& setup) {
  char byte = 0;
  // Wrong-direction I/O stalls; its error is the stall itself.
  if ((setup.bRequestType & USB_DIR_IN) != 0) {
    [[maybe_unused]] const ssize_t n = ::read(endpoint0, &byte, 0);
  } else {
    [[maybe_unused]] const ssize_t n = ::write(endpoint0, &byte, 0);
  }
}

}  // namespace torvix::testing
