// SPDX-License-Identifier: MIT
// The exports around the transfers: errors, addresses, bus scan, versions, bus status and the
// parallel-port vocabulary.
#include <cstring>

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/error_strings.h"
#include "bridge/src/library_lock.h"

using namespace torvix;

namespace {

constexpr int16_t kBadHandle = static_cast<int16_t>(0xFFFF);

}  // namespace

extern "C" {

QUORLINK_API int IICError(int /*handle*/) {
  const LibraryLock lock;
  return LastErrorCode() > 0 ? 1 : 0;
}

// A null buffer gets nothing written and comes back as null.
QUORLINK_API char* ErrorString(int /*handle*/, char* buffer) {
  const LibraryLock lock;
  if (buffer == nullptr) return nullptr;
  const char* text = ErrorText(LastErrorCode());
  std::memcpy(buffer, text, std::strlen(text) + 1);
  return buffer;
}

QUORLINK_API int16_t SetAddress(int handle, int address) {
  const LibraryLock lock;
  if (IicBridge* bridge = ValidateHandle(handle)) bridge->SetAddress(address);
  return 0;
}

QUORLINK_API int16_t BusScan(int handle, uint8_t* count) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->BusScan(count) : kBadHandle;
}

QUORLINK_API int16_t GetDeviceAddress(int handle, int index, uint8_t* address) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->GetDeviceAddress(index, address) : kBadHandle;
}

QUORLINK_API int16_t GetVersions(int handle, uint16_t* library, uint16_t* device) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->GetVersions(library, device) : kBadHandle;
}

QUORLINK_API int16_t CheckI2CBus(int handle, uint8_t* status) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->CheckI2CBus(status) : kBadHandle;
}

QUORLINK_API int16_t WriteParPortData(int handle, int data) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->WriteParPortData(data) : kBadHandle;
}

QUORLINK_API uint8_t ReadParPortStatus(int handle) {
  const LibraryLock lock;
  IicBridge* bridge = ValidateHandle(handle);
  return bridge != nullptr ? bridge->ReadParPortStatus() : 0xFF;
}

}  // extern "C"
