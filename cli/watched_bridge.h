// The bridge calls of a torvix run, passed on unchanged, noting whether a device would not open:
// the run then says why in the system's words (cli/device_problem.h).
#pragma once

#include "camera/bridge_api.h"

namespace torvix {

class WatchedBridge final : public BridgeApi {
 public:
  explicit WatchedBridge(BridgeApi& bridge) : bridge_(bridge) {}

  bool OpenFailed() const { return openFailed_; }

  int IICInit(int address, int reserved1, int reserved2) override {
    const int handle = bridge_.IICInit(address, reserved1, reserved2);
    if (handle < 0) openFailed_ = true;
    return handle;
  }
  int16_t SetAddress(int handle, int address) override { return bridge_.SetAddress(handle, address); }
  int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data, int length,
                  int type) override {
    return bridge_.SendSub(handle, subAddressSize, subAddress, data, length, type);
  }
  int16_t Send(int handle, const uint8_t* data, int type, int length) override {
    return bridge_.Send(handle, data, type, length);
  }
  int16_t Receive(int handle, uint8_t* data, int type, int length) override {
    return bridge_.Receive(handle, data, type, length);
  }
  void IICClose(int handle) override { bridge_.IICClose(handle); }

 private:
  BridgeApi& bridge_;
  bool openFailed_ = false;
};

}  // namespace torvix
