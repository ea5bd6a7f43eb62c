// The bridge calls of a torvix run, passed on unchanged, noting whether a device would not open:
// the run then says why in the system's words (cli/device_problem.h).
#pragma once

#include "camera/forwarding_bridge.h"

namespace torvix {

class WatchedBridge final : public ForwardingBridge {
 public:
  using ForwardingBridge::ForwardingBridge;

  bool OpenFailed() const { return openFailed_; }

  int IICInit(int address, int reserved1, int reserved2) override {
    const int handle = ForwardingBridge::IICInit(address, reserved1, reserved2);
    if (handle < 0) openFailed_ = true;
    return handle;
  }

 private:
  bool openFailed_ = false;
};

}  // namespace torvix
