// SPDX-License-Identifier: MIT
// The library's globals: the table of bridges behind the handles, the last error code and the
// count of open adapter devices. Nothing else in the library keeps state between calls.
#pragma once

#include <cstdint>
#include <memory>

#include "bridge/src/iic_bridge.h"

namespace torvix {

inline constexpr int kBridgeSlots = 100;

int16_t LastErrorCode();
void SetLastErrorCode(int16_t code);

int OpenDeviceCount();
void CountDeviceOpened();
void CountDeviceClosed();

// The bridge behind a handle, or nullptr: a handle outside 0..99 changes nothing, an empty
// slot sets the last error code to 18.
IicBridge* ValidateHandle(int handle);

// The lowest empty slot, or -1 when all are taken.
int FreeSlot();
void PlaceBridge(int slot, std::unique_ptr<IicBridge> bridge);
// Releases the bridge in the slot (if any) and empties it.
void ReleaseSlot(int slot);
// Empties every slot without releasing its bridge (the legacy start-up entry): the bridges
// stay alive, devices open, until the library is unloaded.
void AbandonAllSlots();

}  // namespace torvix
