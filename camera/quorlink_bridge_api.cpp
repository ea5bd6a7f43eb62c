// SPDX-License-Identifier: MIT
#include "camera/quorlink_bridge_api.h"

#include "bridge/include/quorlink.h"

namespace torvix {

int QuorlinkBridgeApi::IICInit(int address, int reserved1, int reserved2) {
  return ::IICInit(address, reserved1, reserved2);
}

int16_t QuorlinkBridgeApi::SetAddress(int handle, int address) {
  return ::SetAddress(handle, address);
}

int16_t QuorlinkBridgeApi::SendSub(int handle, int subAddressSize, int subAddress,
                                   const uint8_t* data, int length, int type) {
  return ::SendSub(handle, subAddressSize, subAddress, data, length, type);
}

int16_t QuorlinkBridgeApi::Send(int handle, const uint8_t* data, int type, int length) {
  return ::Send(handle, data, type, length);
}

int16_t QuorlinkBridgeApi::Receive(int handle, uint8_t* data, int type, int length) {
  return ::Receive(handle, data, type, length);
}

void QuorlinkBridgeApi::IICClose(int handle) { ::IICClose(handle); }

}  // namespace torvix
