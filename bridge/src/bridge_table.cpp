// SPDX-License-Identifier: MIT
#include "bridge/src/bridge_table.h"

#include <array>
#include <utility>
#include <vector>

#include "bridge/include/quorlink.h"

namespace torvix {

namespace {

// Trivial types first: they are never destroyed, so bridges released while the table itself
// is torn down at unload can still count their devices out.
int16_t g_lastErrorCode = 0;
int g_openDeviceCount = 0;
std::array<std::unique_ptr<IicBridge>, kBridgeSlots> g_bridges;
// Declared after the table, so destroyed before it at unload.
std::vector<std::unique_ptr<IicBridge>> g_abandoned;

bool InRange(int handle) { return handle >= 0 && handle < kBridgeSlots; }

}  // namespace

int16_t LastErrorCode() { return g_lastErrorCode; }
void SetLastErrorCode(int16_t code) { g_lastErrorCode = code; }

int OpenDeviceCount() { return g_openDeviceCount; }
void CountDeviceOpened() { ++g_openDeviceCount; }
void CountDeviceClosed() { --g_openDeviceCount; }

IicBridge* ValidateHandle(int handle) {
  if (!InRange(handle)) return nullptr;
  IicBridge* bridge = g_bridges[static_cast<std::size_t>(handle)].get();
  if (bridge == nullptr) SetLastErrorCode(QL_INVALID_HANDLE);
  return bridge;
}

int FreeSlot() {
  for (int slot = 0; slot < kBridgeSlots; ++slot) {
    if (!g_bridges[static_cast<std::size_t>(slot)]) return slot;
  }
  return -1;
}

void PlaceBridge(int slot, std::unique_ptr<IicBridge> bridge) {
  if (InRange(slot)) g_bridges[static_cast<std::size_t>(slot)] = std::move(bridge);
}

void ReleaseSlot(int slot) {
  if (InRange(slot)) g_bridges[static_cast<std::size_t>(slot)].reset();
}

}  // namespace torvix

namespace torvix {

void AbandonAllSlots() {
  for (auto& bridge : g_bridges) {
    if (bridge) g_abandoned.push_back(std::move(bridge));
  }
}

}  // namespace torvix
