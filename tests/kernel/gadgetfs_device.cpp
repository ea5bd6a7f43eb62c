// SPDX-License-Identifier: MIT
#include "tests/kernel/gadgetfs_device.h"

#include <endian.h>
#include <fcntl.h>
#include <linux/usb/gadgetfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "tests/kernel/gadget_endpoint0.h"

namespace torvix::testing {

namespace {

// The USB ids the kernel's i2c-tiny-usb driver binds to.
constexpr uint16_t kVendor = 0x0403;
constexpr uint16_t kProduct = 0xc631;

// One configuration with one vendor interface and no endpoint besides endpoint 0, which
// carries every request of the adapter.
std::vector<uint8_t> Configuration() {
  usb_config_descriptor config{};
  config.bLength = USB_DT_CONFIG_SIZE;
  config.bDescriptorType = USB_DT_CONFIG;
  config.wTotalLength = htole16(USB_DT_CONFIG_SIZE + USB_DT_INTERFACE_SIZE);
  config.bNumInterfaces = 1;
  config.bConfigurationValue = 1;
  config.bmAttributes = USB_CONFIG_ATT_ONE;
  config.bMaxPower = 50;  // 100 mA
  usb_interface_descriptor interface {};
  interface.bLength = USB_DT_INTERFACE_SIZE;
  interface.bDescriptorType = USB_DT_INTERFACE;
  interface.bInterfaceClass = USB_CLASS_VENDOR_SPEC;
  std::vector<uint8_t> bytes;
  AppendDescriptor(bytes, config);
  AppendDescriptor(bytes, interface);
  return bytes;
}

// What gadgetfs takes on endpoint 0: a tag, the full-speed and high-speed configurations, the
// device descriptor.
std::vector<uint8_t> Descriptors() {
  usb_device_descriptor device{};
  device.bLength = USB_DT_DEVICE_SIZE;
  device.bDescriptorType = USB_DT_DEVICE;
  device.bcdUSB = htole16(0x0200);
  device.bMaxPacketSize0 = 64;
  device.idVendor = htole16(kVendor);
  device.idProduct = htole16(kProduct);
  device.bcdDevice = htole16(0x0104);
  device.bNumConfigurations = 1;
  std::vector<uint8_t> bytes(4, 0);
  const std::vector<uint8_t> config = Configuration();
  bytes.insert(bytes.end(), config.begin(), config.end());
  bytes.insert(bytes.end(), config.begin(), config.end());
  AppendDescriptor(bytes, device);
  return bytes;
}

}  // namespace

bool GadgetfsDevice::Plug(const std::string& endpoint0, std::string& error) {
  endpoint0_ = ::open(endpoint0.c_str(), O_RDWR);
  if (endpoint0_ < 0) {
    error = "cannot open " + endpoint0 + ": " + std::strerror(errno);
    return false;
  }
  const std::vector<uint8_t> descriptors = Descriptors();
  if (::write(endpoint0_, descriptors.data(), descriptors.size()) !=
      static_cast<ssize_t>(descriptors.size())) {
    error = "gadgetfs refused the descriptors: " + std::string(std::strerror(errno));
    return false;
  }
  return true;
}

void GadgetfsDevice::Serve(TinyUsbAdapter& adapter) {
  for (int failures = 0;;) {
    usb_gadgetfs_event event{};
    const ssize_t n = ::read(endpoint0_, &event, sizeof event);
    if (n < 0 && errno == EINTR) continue;
    if (n != static_cast<ssize_t>(sizeof event)) {
      // A request the host gave up on (EIDRM) and the like: the next event brings us back.
      Say(std::string("reading an event: ") + (n < 0 ? std::strerror(errno) : "short"));
      if (++failures < 100) continue;
      Say("endpoint 0 keeps failing; waiting for the power-off");
      for (;;) ::pause();
    }
    failures = 0;
    if (event.type == GADGETFS_SETUP) {
      Answer(event.u.setup, adapter);
      counter_.Count();
    } else if (event.type == GADGETFS_CONNECT || event.type == GADGETFS_DISCONNECT) {
      Say(event.type == GADGETFS_CONNECT ? "connected" : "disconnected");
    }
  }
}

void GadgetfsDevice::Answer(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter) {
  const unsigned type = setup.bRequestType & USB_TYPE_MASK;
  const bool in = (setup.bRequestType & USB_DIR_IN) != 0;
  if (type == USB_TYPE_STANDARD) {
    // gadgetfs answers the standard requests itself, but hands these two on for their
    // status stage: unanswered, the host never finishes enumerating the device.
    const bool configures =
        setup.bRequest == USB_REQ_SET_CONFIGURATION || setup.bRequest == USB_REQ_SET_INTERFACE;
    if (!in && configures) {
      Acknowledge(endpoint0_);
    } else {
      Stall(endpoint0_, setup);
    }
  } else if (type != USB_TYPE_VENDOR) {
    Stall(endpoint0_, setup);
  } else if (TinyUsbAdapter::IsIo(setup.bRequest) && unplugArmed_.exchange(false)) {
    Unplug(setup);
  } else if (in) {
    AnswerIn(setup, adapter);
  } else {
    AnswerOut(setup, adapter);
  }
}

void GadgetfsDevice::AnswerIn(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter) {
  const uint16_t length = le16toh(setup.wLength);
  const std::optional<std::vector<uint8_t>> reply =
      adapter.In(setup.bRequest, le16toh(setup.wValue), le16toh(setup.wIndex), length);
  if (reply) {
    WriteAnswer(endpoint0_, setup, *reply);
  } else {
    Stall(endpoint0_, setup);
  }
}

void GadgetfsDevice::AnswerOut(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter) {
  std::vector<uint8_t> data(le16toh(setup.wLength));
  if (!data.empty() &&
      ::read(endpoint0_, data.data(), data.size()) != static_cast<ssize_t>(data.size())) {
    // The host's next request came before the data was read: the bus never sees this message.
    Say("lost the data of " + Describe(setup) + ": " + std::strerror(errno));
    return;
  }
  const bool taken =
      adapter.Out(setup.bRequest, le16toh(setup.wValue), le16toh(setup.wIndex), data);
  if (!data.empty()) return;  // gadgetfs has finished the request already
  if (taken) {
    Acknowledge(endpoint0_);
  } else {
    Stall(endpoint0_, setup);
  }
}

void GadgetfsDevice::Unplug(const usb_ctrlrequest& setup) {
  constexpr std::string_view kDisconnect = "disconnect";
  const int file = ::open(softConnect_.c_str(), O_WRONLY | O_CLOEXEC);
  const bool unplugged = file >= 0 && ::write(file, kDisconnect.data(), kDisconnect.size()) ==
                                          static_cast<ssize_t>(kDisconnect.size());
  Say(unplugged ? "unplugged during " + Describe(setup)
                : "cannot unplug through '" + softConnect_ + "': " + std::strerror(errno));
  if (file >= 0) ::close(file);
}

}  // namespace torvix::testing
