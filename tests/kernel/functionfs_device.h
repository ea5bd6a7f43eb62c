// SPDX-License-Identifier: MIT
// A USB HID device in user space through the kernel's FunctionFS: a configfs gadget with one
// FunctionFS function, which whoever starts the emulator makes and mounts, gets the chip's
// interface with its HID descriptor and two interrupt endpoints of 64 bytes. The device plugs
// in when the gadget is bound to a UDC (dummy_hcd's, whose host side is the same kernel) and is
// unplugged when it is unbound.
//
// Endpoint 0 brings the requests to the interface (the report descriptor, SET_IDLE, the
// feature reports), answered on the thread that serves; the interrupt OUT endpoint brings the
// output reports, answered on the IN endpoint by a thread of its own. FunctionFS, unlike
// gadgetfs, hands over an OUT data stage only when it is read, and several functions may run at
// once, each on its own UDC: one emulator per adapter.
#pragma once

#include <linux/usb/ch9.h>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "tests/kernel/hid_chip.h"
#include "tests/kernel/transfer_counter.h"

namespace torvix::testing {

class FunctionfsDevice {
 public:
  // mount: where the function's FunctionFS is mounted; gadget: the gadget's folder in
  // configfs; udc: the controller it is bound to (dummy_udc.N). The counter counts the control
  // requests answered and the reports either way.
  FunctionfsDevice(HidChip& chip, std::string mount, std::string gadget, std::string udc,
                   TransferCounter& counter)
      : chip_(chip),
        mount_(std::move(mount)),
        gadget_(std::move(gadget)),
        udc_(std::move(udc)),
        counter_(counter) {}

  // Writes the descriptors to endpoint 0, opens the interrupt endpoints and binds the gadget:
  // the device is plugged in. false with the reason in error otherwise.
  bool Plug(std::string& error);

  // Answers endpoint 0 here and the output reports on a thread of their own; never returns.
  [[noreturn]] void Serve();

  // Unplugs the device at the next output report that starts a transfer on the bus, instead of
  // answering it: the driver is waiting for its answer when the adapter goes, as when a cable
  // is pulled in the middle of a transfer. Safe in a signal handler.
  void UnplugAtNextTransfer() { unplugArmed_ = true; }

 private:
  void ServeReports();
  void Answer(const usb_ctrlrequest& setup);
  void AnswerStandard(const usb_ctrlrequest& setup);
  void AnswerClass(const usb_ctrlrequest& setup);
  // Binds the gadget to the UDC, or unbinds it: false with the reason in error.
  bool Bind(bool bound, std::string& error);

  HidChip& chip_;
  std::string mount_;
  std::string gadget_;
  std::string udc_;
  TransferCounter& counter_;
  std::mutex chipLock_;  // the two threads ask one chip
  std::atomic<bool> unplugArmed_ = false;
  int endpoint0_ = -1;
  int in_ = -1;
  int out_ = -1;
};

}  // namespace torvix::testing
