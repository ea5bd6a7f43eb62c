// SPDX-License-Identifier: MIT
// A bridge that passes every call on to another one; a wrapper overrides only the calls it
// watches or changes.
#pragma once

#include "camera/bridge_api.h"

namespace torvix {

class ForwardingBridge : public BridgeApi {
 public:
  explicit ForwardingBridge(BridgeApi& inner) : inner_(inner) {}

  int IICInit(int address, int reserved1, int reserved2) override {
    return inner_.IICInit(address, reserved1, reserved2);
  }
  int16_t SetAddress(int handle, int address) override {
    return inner_.SetAddress(handle, address);
  }
  int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data, int length,
                  int type) override {
    return inner_.SendSub(handle, subAddressSize, subAddress, data, length, type);
  }
  int16_t Send(int handle, const uint8_t* data, int type, int length) override {
    return inner_.Send(handle, data, type, length);
  }
  int16_t Receive(int handle, uint8_t* data, int type, int length) override {
    return inner_.Receive(handle, data, type, length);
  }
  void IICClose(int handle) override { inner_.IICClose(handle); }

 private:
  BridgeApi& inner_;
};

}  // namespace torvix
