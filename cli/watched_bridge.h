// SPDX-License-Identifier: MIT
// The bridge calls of a torvix run, passed on unchanged, noting whether a device would not open
// and how the last transfer failed: the run then says why in the system's words
// (cli/device_problem.h, cli/bus_commands.h).
#pragma once

#include "camera/forwarding_bridge.h"

namespace torvix {

class WatchedBridge final : public ForwardingBridge {
 public:
  using ForwardingBridge::ForwardingBridge;

  bool OpenFailed() const { return openFailed_; }
  // The result of the last transfer that failed; 0 when none did.
  int16_t LastFailure() const { return lastFailure_; }

  int IICInit(int address, int reserved1, int reserved2) override {
    const int handle = ForwardingBridge::IICInit(address, reserved1, reserved2);
    if (handle < 0) openFailed_ = true;
    return handle;
  }
  int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data, int length,
                  int type) override {
    return noted(ForwardingBridge::SendSub(handle, subAddressSize, subAddress, data, length, type));
  }
  int16_t Send(int handle, const uint8_t* data, int type, int length) override {
    return noted(ForwardingBridge::Send(handle, data, type, length));
  }
  int16_t Receive(int handle, uint8_t* data, int type, int length) override {
    return noted(ForwardingBridge::Receive(handle, data, type, length));
  }

 private:
  int16_t noted(int16_t result) {
    if (result != 0) lastFailure_ = result;
    return result;
  }

  bool openFailed_ = false;
  int16_t lastFailure_ = 0;
};

}  // namespace torvix
