// SPDX-License-Identifier: MIT
#include "bridge/src/library_lock.h"

namespace torvix {

namespace {

std::recursive_mutex& TheMutex() {
  // Never destroyed: a bridge released from another static's destructor still locks it.
  static auto* mutex = new std::recursive_mutex;
  return *mutex;
}

}  // namespace

LibraryLock::LibraryLock() : guard_(TheMutex()) {}

}  // namespace torvix
