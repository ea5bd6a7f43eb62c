// SPDX-License-Identifier: MIT
#include "clock/windows_sleep.h"

#include <windows.h>
// windows.h first: the multimedia timer header builds on its types.
#include <timeapi.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace torvix {

namespace {

// Windows 10 (1803) and later have high-resolution waitable timers, which end on time without
// touching the system's timer. Older versions refuse the flag; they get the system timer raised
// to 1 ms for the rest of the program's life (Windows lowers it again when the process ends).
class PauseTimer {
 public:
  PauseTimer() {
    handle_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                     TIMER_ALL_ACCESS);
    if (handle_ == nullptr) {
      RaiseSystemTimerOnce();
      handle_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
  }
  ~PauseTimer() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  PauseTimer(const PauseTimer&) = delete;
  PauseTimer& operator=(const PauseTimer&) = delete;

  // Waits about duration; false when no timer could be had (then nothing was waited).
  bool Wait(std::chrono::nanoseconds duration) {
    if (handle_ == nullptr) return false;
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>((duration.count() + 99) / 100);  // relative, 100 ns
    if (!SetWaitableTimer(handle_, &due, 0, nullptr, nullptr, FALSE)) return false;
    return WaitForSingleObject(handle_, INFINITE) == WAIT_OBJECT_0;
  }

 private:
  static void RaiseSystemTimerOnce() {
    static const bool raised = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)raised;
  }

  HANDLE handle_ = nullptr;
};

}  // namespace

void SleepUntilOnWindows(std::chrono::steady_clock::time_point deadline) {
  // One timer per thread: a waitable timer is not to be shared between waiting threads.
  thread_local PauseTimer timer;
  for (auto now = std::chrono::steady_clock::now(); now < deadline;
       now = std::chrono::steady_clock::now()) {
    // A timer may end a hair before the steady clock agrees; the loop waits out the rest.
    if (!timer.Wait(deadline - now)) {
      Sleep(
          static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count()));
    }
  }
}

}  // namespace torvix
