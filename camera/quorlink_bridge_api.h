// SPDX-License-Identifier: MIT
// The bridge calls of the camera link, made on the Quorlink library.
//
// The camera library does not link Quorlink itself: the program links the shared library,
// the tests link the static one (so the in-process virtual camera and the clock seam are the
// test's own).
#pragma once

#include "camera/bridge_api.h"

namespace torvix {

class QuorlinkBridgeApi final : public BridgeApi {
 public:
  int IICInit(int address, int reserved1, int reserved2) override;
  int16_t SetAddress(int handle, int address) override;
  int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data, int length,
                  int type) override;
  int16_t Send(int handle, const uint8_t* data, int type, int length) override;
  int16_t Receive(int handle, uint8_t* data, int type, int length) override;
  void IICClose(int handle) override;
};

}  // namespace torvix
