// SPDX-License-Identifier: MIT
// Opening and releasing bridges, and the legacy start-up and exit entries.
#include <memory>

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/library_lock.h"
#include "bridge/src/os_check.h"
#include "bridge/src/usb_iic_bridge.h"

using namespace torvix;

extern "C" {

QUORLINK_API int IICInit(int address, int reserved1, int reserved2) {
  const LibraryLock lock;
  SetLastErrorCode(QL_OK);
  if (const int16_t refused = CheckOperatingSystem()) {
    SetLastErrorCode(refused);
    return -1;
  }
  const int slot = FreeSlot();
  if (slot < 0) {
    SetLastErrorCode(QL_MAX_DEVICES_EXCEEDED);
    return -1;
  }
  auto bridge = std::make_unique<UsbIicBridge>(address, reserved1, reserved2);
  if (!bridge->DeviceOpen()) {
    SetLastErrorCode(QL_DEVICE_NOT_FOUND);
    return -1;
  }
  PlaceBridge(slot, std::move(bridge));
  return slot;
}

QUORLINK_API void IICClose(int handle) {
  const LibraryLock lock;
  if (ValidateHandle(handle) == nullptr) return;
  ReleaseSlot(handle);
}

QUORLINK_API int LibMain(void* /*instance*/, uint16_t /*dataSegment*/, uint16_t heapSize,
                         char* /*commandLine*/) {
  const LibraryLock lock;
  if (heapSize != 0) AbandonAllSlots();
  return 1;
}

QUORLINK_API int WEP(int /*exitType*/) {
  const LibraryLock lock;
  for (int slot = 0; slot < kBridgeSlots; ++slot) ReleaseSlot(slot);
  return 1;
}

}  // extern "C"
