// SPDX-License-Identifier: MIT
#include "tests/kernel/functionfs_device.h"

#include <endian.h>
#include <fcntl.h>
#include <linux/hid.h>
#include <linux/usb/functionfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/kernel/gadget_endpoint0.h"

namespace torvix::testing {

namespace {

constexpr uint8_t kEndpointIn = USB_DIR_IN | 1;
constexpr uint8_t kEndpointOut = USB_DIR_OUT | 2;  // each endpoint of a function its own number
constexpr uint8_t kDescriptorsPerSpeed = 4;        // interface, HID, IN, OUT

// The HID class descriptor: HID 1.11, no country, one report descriptor of this length.
std::vector<uint8_t> HidDescriptor(const HidChipIdentity& identity) {
  const auto length = static_cast<uint16_t>(identity.reportDescriptor.size());
  return {9,
          HID_DT_HID,
          0x11,
          0x01,
          0x00,
          1,
          HID_DT_REPORT,
          static_cast<uint8_t>(length & 0xFF),
          static_cast<uint8_t>(length >> 8)};
}

// One speed's interface: the HID interface, its class descriptor, and the two interrupt
// endpoints, polled every millisecond (bInterval counts frames at full speed, and 2^(n-1)
// microframes at high speed).
void AppendInterface(std::vector<uint8_t>& bytes, const HidChipIdentity& identity, bool high) {
  usb_interface_descriptor interface {};
  interface.bLength = USB_DT_INTERFACE_SIZE;
  interface.bDescriptorType = USB_DT_INTERFACE;
  interface.bNumEndpoints = 2;
  interface.bInterfaceClass = USB_CLASS_HID;
  AppendDescriptor(bytes, interface);
  const std::vector<uint8_t> hid = HidDescriptor(identity);
  bytes.insert(bytes.end(), hid.begin(), hid.end());
  for (const uint8_t address : {kEndpointIn, kEndpointOut}) {
    usb_endpoint_descriptor endpoint{};
    endpoint.bLength = USB_DT_ENDPOINT_SIZE;
    endpoint.bDescriptorType = USB_DT_ENDPOINT;
    endpoint.bEndpointAddress = address;
    endpoint.bmAttributes = USB_ENDPOINT_XFER_INT;
    endpoint.wMaxPacketSize = htole16(kHidReportSize);
    endpoint.bInterval = high ? 4 : 1;
    AppendDescriptor(bytes, endpoint);
  }
}

void PutLittleEndian32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// What FunctionFS takes first on endpoint 0: a header with the speeds it describes and the
// number of descriptors of each, then the descriptors of each speed.
std::vector<uint8_t> Descriptors(const HidChipIdentity& identity) {
  std::vector<uint8_t> bytes(20, 0);
  PutLittleEndian32(bytes, 0, FUNCTIONFS_DESCRIPTORS_MAGIC_V2);
  PutLittleEndian32(bytes, 8, FUNCTIONFS_HAS_FS_DESC | FUNCTIONFS_HAS_HS_DESC);
  PutLittleEndian32(bytes, 12, kDescriptorsPerSpeed);
  PutLittleEndian32(bytes, 16, kDescriptorsPerSpeed);
  AppendInterface(bytes, identity, false);
  AppendInterface(bytes, identity, true);
  PutLittleEndian32(bytes, 4, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

// Then its strings: none.
std::vector<uint8_t> Strings() {
  std::vector<uint8_t> bytes(16, 0);
  PutLittleEndian32(bytes, 0, FUNCTIONFS_STRINGS_MAGIC);
  PutLittleEndian32(bytes, 4, 16);
  return bytes;
}

bool WriteAll(int file, const std::vector<uint8_t>& bytes) {
  return ::write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

}  // namespace

bool FunctionfsDevice::Plug(std::string& error) {
  // The device descriptor is the gadget's: the chip's ids and name go there.
  const HidChipIdentity& identity = chip_.Identity();
  for (const auto& [file, value] :
       {std::pair{"/idVendor", identity.vendor}, std::pair{"/idProduct", identity.product},
        std::pair{"/bcdDevice", identity.release}}) {
    std::ofstream(gadget_ + file) << value << '\n';
  }
  std::ofstream(gadget_ + "/strings/0x409/product") << identity.productName << '\n';
  endpoint0_ = ::open((mount_ + "/ep0").c_str(), O_RDWR | O_CLOEXEC);
  if (endpoint0_ < 0) {
    error = "cannot open " + mount_ + "/ep0: " + std::strerror(errno);
    return false;
  }
  if (!WriteAll(endpoint0_, Descriptors(chip_.Identity())) || !WriteAll(endpoint0_, Strings())) {
    error = "FunctionFS refused the descriptors: " + std::string(std::strerror(errno));
    return false;
  }
  // The endpoints' files are there once the descriptors are, numbered in their order.
  in_ = ::open((mount_ + "/ep1").c_str(), O_RDWR | O_CLOEXEC);
  out_ = ::open((mount_ + "/ep2").c_str(), O_RDWR | O_CLOEXEC);
  if (in_ < 0 || out_ < 0) {
    error = "cannot open the endpoints in " + mount_ + ": " + std::strerror(errno);
    return false;
  }
  return Bind(true, error);
}

bool FunctionfsDevice::Bind(bool bound, std::string& error) {
  std::ofstream file(gadget_ + "/UDC");
  file << (bound ? udc_ : "") << '\n';
  file.close();
  if (file.fail()) error = "cannot " + std::string(bound ? "bind " : "unbind ") + gadget_;
  return !file.fail();
}

void FunctionfsDevice::Serve() {
  std::thread(&FunctionfsDevice::ServeReports, this).detach();
  for (int failures = 0;;) {
    usb_functionfs_event events[4];
    const ssize_t n = ::read(endpoint0_, events, sizeof events);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || static_cast<std::size_t>(n) % sizeof events[0] != 0) {
      Say(std::string("reading an event: ") + (n < 0 ? std::strerror(errno) : "short"));
      if (++failures < 100) continue;
      Say("endpoint 0 keeps failing; waiting for the power-off");
      for (;;) ::pause();
    }
    failures = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n) / sizeof events[0]; ++i) {
      if (events[i].type == FUNCTIONFS_SETUP) {
        Answer(events[i].u.setup);
        counter_.Count();
      }
      if (events[i].type == FUNCTIONFS_ENABLE) Say("connected");
      if (events[i].type == FUNCTIONFS_DISABLE) Say("disconnected");
    }
  }
}

void FunctionfsDevice::ServeReports() {
  for (;;) {
    uint8_t report[kHidReportSize];
    const ssize_t n = ::read(out_, report, sizeof report);
    if (n < 0) {
      // Unplugged while the read waited: the next read waits until the device is enabled
      // again. A pause keeps a failing endpoint from taking the one CPU.
      if (errno != EINTR) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    const std::span<const uint8_t> received(report, static_cast<std::size_t>(n));
    counter_.Count();
    if (unplugArmed_ && chip_.StartsTransfer(received) && unplugArmed_.exchange(false)) {
      std::string error;
      Say(Bind(false, error) ? "unplugged during the output report " + std::to_string(report[0])
                             : error);
      continue;
    }
    std::vector<HidReport> answers;
    {
      const std::lock_guard<std::mutex> hold(chipLock_);
      answers = chip_.Output(received);
    }
    for (const HidReport& answer : answers) {
      if (::write(in_, answer.data(), answer.size()) != static_cast<ssize_t>(answer.size())) {
        Say(std::string("sending an input report: ") + std::strerror(errno));
      }
    }
    counter_.Count(answers.size());
  }
}

void FunctionfsDevice::Answer(const usb_ctrlrequest& setup) {
  switch (setup.bRequestType & USB_TYPE_MASK) {
    case USB_TYPE_STANDARD: AnswerStandard(setup); break;
    case USB_TYPE_CLASS: AnswerClass(setup); break;
    default: Stall(endpoint0_, setup); break;
  }
}

// The host reads the interface's descriptors through its own requests.
void FunctionfsDevice::AnswerStandard(const usb_ctrlrequest& setup) {
  const unsigned type = le16toh(setup.wValue) >> 8;
  const bool descriptor =
      setup.bRequest == USB_REQ_GET_DESCRIPTOR && (setup.bRequestType & USB_DIR_IN) != 0;
  if (descriptor && type == HID_DT_REPORT) {
    WriteAnswer(endpoint0_, setup, chip_.Identity().reportDescriptor);
  } else if (descriptor && type == HID_DT_HID) {
    WriteAnswer(endpoint0_, setup, HidDescriptor(chip_.Identity()));
  } else {
    Stall(endpoint0_, setup);
  }
}

void FunctionfsDevice::AnswerClass(const usb_ctrlrequest& setup) {
  constexpr unsigned kFeature = 3;  // the report type in wValue's high byte
  const unsigned type = le16toh(setup.wValue) >> 8;
  const auto number = static_cast<uint8_t>(le16toh(setup.wValue) & 0xFF);
  if (setup.bRequest == HID_REQ_SET_IDLE) {
    Acknowledge(endpoint0_);
  } else if (setup.bRequest == HID_REQ_GET_REPORT && type == kFeature) {
    std::optional<HidReport> report;
    {
      const std::lock_guard<std::mutex> hold(chipLock_);
      report = chip_.GetFeature(number);
    }
    if (report) {
      WriteAnswer(endpoint0_, setup, *report);
    } else {
      Stall(endpoint0_, setup);
    }
  } else if (setup.bRequest == HID_REQ_SET_REPORT && type == kFeature) {
    // The data stage is read, and with it the request finished: a report the chip refuses can
    // only be told.
    std::vector<uint8_t> report(le16toh(setup.wLength));
    const ssize_t n = ::read(endpoint0_, report.data(), report.size());
    report.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::lock_guard<std::mutex> hold(chipLock_);
    if (!chip_.SetFeature(report)) Say("refused the feature report of " + Describe(setup));
  } else {
    Stall(endpoint0_, setup);
  }
}

}  // namespace torvix::testing
