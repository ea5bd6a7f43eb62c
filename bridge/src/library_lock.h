// SPDX-License-Identifier: MIT
// The one lock of the library. Every export holds it for the whole of its work, so the bridge
// table, the last error code and the devices behind the handles are only ever touched by one
// thread at a time, and the header, data and status requests of one transfer are never
// interleaved with another thread's.
#pragma once

#include <mutex>

namespace torvix {

class LibraryLock {
 public:
  LibraryLock();
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;

 private:
  // Recursive: an export may be reached through another (SendSend through SendReceive).
  std::lock_guard<std::recursive_mutex> guard_;
};

}  // namespace torvix
