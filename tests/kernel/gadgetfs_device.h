// SPDX-License-Identifier: MIT
// A USB device in user space through the kernel's gadgetfs: it plugs into the UDC (dummy_hcd's,
// whose host side is the same kernel) and answers the control requests on endpoint 0 that
// gadgetfs hands over.
//
// Two rules of gadgetfs shape it. Closing endpoint 0 while a request is queued on it oopses
// the kernel, so a plugged-in device never closes it: the process never ends on its own, and
// whoever started it powers the machine off instead. And gadgetfs completes an OUT data stage
// before the data is read from it: when the host's next request comes first, the data is lost.
// The emulator therefore runs SCHED_FIFO on the same one CPU as its clients.
#pragma once

#include <linux/usb/ch9.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

#include "tests/kernel/tiny_usb_adapter.h"
#include "tests/kernel/transfer_counter.h"

namespace torvix::testing {

class GadgetfsDevice {
 public:
  // softConnect: the UDC's soft_connect file, for Unplug; "" for none. The counter counts the
  // requests answered.
  GadgetfsDevice(std::string softConnect, TransferCounter& counter)
      : softConnect_(std::move(softConnect)), counter_(counter) {}

  // Opens endpoint 0 (gadgetfs's file named after the UDC) and writes the descriptors of an
  // i2c-tiny-usb adapter: the device is plugged in. false with the reason in error otherwise.
  bool Plug(const std::string& endpoint0, std::string& error);

  // Answers every control request with the adapter; never returns.
  [[noreturn]] void Serve(TinyUsbAdapter& adapter);

  // Unplugs the device at the next request that carries a message to the bus, instead of
  // answering it: the driver is waiting for the request when its adapter goes, as when a
  // cable is pulled in the middle of a transfer. Safe in a signal handler.
  void UnplugAtNextMessage() { unplugArmed_ = true; }

 private:
  void Answer(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter);
  void AnswerIn(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter);
  void AnswerOut(const usb_ctrlrequest& setup, TinyUsbAdapter& adapter);
  // Takes the device off the bus through the UDC's soft_connect (once per boot: gadgetfs
  // answers no enumeration after it).
  void Unplug(const usb_ctrlrequest& setup);

  std::string softConnect_;
  TransferCounter& counter_;
  std::atomic<bool> unplugArmed_ = false;
  int endpoint0_ = -1;
};

}  // namespace torvix::testing
