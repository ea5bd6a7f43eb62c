// SPDX-License-Identifier: MIT
// The transfer exports: validate the handle, then hand over to the bridge behind it.
#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/library_lock.h"

using namespace torvix;

namespace {

// What every int16 export returns for a handle that names no bridge.
constexpr int16_t kBadHandle = static_cast<int16_t>(0xFFFF);

}  // namespace

extern "C" {

QUORLINK_API int16_t Send(int handle, const uint8_t* data, int type, int length) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->Send(data, type, length) : kBadHandle;
}

QUORLINK_API int16_t Receive(int handle, uint8_t* data, int type, int length) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->Receive(data, type, length) : kBadHandle;
}

QUORLINK_API int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data,
                             int length, int type) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->SendSub(subAddressSize, subAddress, data, length, type)
                           : kBadHandle;
}

QUORLINK_API int16_t ReceiveSub(int handle, int subAddressSize, int subAddress, uint8_t* data,
                                int length, int type) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->ReceiveSub(subAddressSize, subAddress, data, length, type)
                           : kBadHandle;
}

QUORLINK_API int16_t SendSubInterLeaved(int handle, int subAddressSize, int subAddress,
                                        const uint8_t* data, int length) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->SendSubInterLeaved(subAddressSize, subAddress, data, length)
                           : kBadHandle;
}

QUORLINK_API int16_t ReceiveSubInterLeaved(int handle, int subAddressSize, int subAddress,
                                           uint8_t* data, int length) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->ReceiveSubInterLeaved(subAddressSize, subAddress, data, length)
                           : kBadHandle;
}

QUORLINK_API int16_t SendReceive(int handle, const uint8_t* txData, int txLength, uint8_t* rxData,
                                 int rxLength) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->SendReceive(txData, txLength, rxData, rxLength) : kBadHandle;
}

// The second name callers have always had for SendReceive: the same entry under two exported
// names, one address (a module-definition file would say SendSend = SendReceive).
QUORLINK_API int16_t SendSend(int handle, const uint8_t* txData, int txLength, uint8_t* rxData,
                              int rxLength) __attribute__((alias("SendReceive")));

}  // extern "C"
