// SPDX-License-Identifier: MIT
// The six bridge calls the camera link makes, behind one interface.
//
// Production code goes through QuorlinkBridgeApi, which calls the library's exports; tests
// put a recording bridge here to see every call and its arguments without any hardware.
// The signatures are those of the C interface, handles and codes included.
#pragma once

#include <cstdint>

namespace torvix {

// IICInit takes two integers that the library ignores; these are the values always passed.
inline constexpr int kInitReserved1 = 20000;
inline constexpr int kInitReserved2 = 1000;
// Every camera transfer uses a one-byte sub-address and the plain transfer type.
inline constexpr int kSubAddressSize = 1;
inline constexpr int kPlainTransfer = 0;

class BridgeApi {
 public:
  virtual ~BridgeApi() = default;
  virtual int IICInit(int address, int reserved1, int reserved2) = 0;
  virtual int16_t SetAddress(int handle, int address) = 0;
  virtual int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data,
                          int length, int type) = 0;
  virtual int16_t Send(int handle, const uint8_t* data, int type, int length) = 0;
  virtual int16_t Receive(int handle, uint8_t* data, int type, int length) = 0;
  virtual void IICClose(int handle) = 0;
};

}  // namespace torvix
