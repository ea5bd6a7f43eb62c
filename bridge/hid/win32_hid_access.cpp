// SPDX-License-Identifier: MIT
// A HID device through Windows' own HID class driver (hid.dll): no driver of the chip's maker.
// Interrupt reports go overlapped, so each wait has the transfer's deadline: a read that finds
// nothing by then is cancelled. Reports are as long as the device's capabilities say, number
// first (0 on a device without numbered reports, which a read leaves out, as hidraw does).
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bridge/hid/hid_devices.h"
#include "bridge/hid/win32_hid_api.h"

namespace torvix {

namespace {

struct ReportLengths {
  std::size_t input = 0;
  std::size_t output = 0;
  std::size_t feature = 0;
};

DWORD MillisecondsUntil(Microseconds deadline) {
  const auto left = std::chrono::ceil<Milliseconds>(deadline - Now()).count();
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

class Win32HidAccess final : public HidAccess {
 public:
  Win32HidAccess(HANDLE device, HANDLE event, ReportLengths lengths)
      : device_(device), event_(event), lengths_(lengths) {}
  ~Win32HidAccess() override {
    CurrentWin32HidApi().closeHandle(event_);
    CurrentWin32HidApi().closeHandle(device_);
  }
  Win32HidAccess(const Win32HidAccess&) = delete;
  Win32HidAccess& operator=(const Win32HidAccess&) = delete;

  HidOutcome Write(std::span<const uint8_t> report, Microseconds deadline) override {
    std::vector<uint8_t> padded(std::max(lengths_.output, report.size()), 0);
    std::copy(report.begin(), report.end(), padded.begin());
    DWORD done = 0;
    return Overlapped(
        [&](OVERLAPPED& overlapped) {
          return CurrentWin32HidApi().writeFile(device_, padded.data(),
                                                static_cast<DWORD>(padded.size()), nullptr,
                                                &overlapped);
        },
        deadline, done);
  }

  HidRead Read(std::span<uint8_t> buffer, Microseconds deadline) override {
    std::vector<uint8_t> report(std::max<std::size_t>(lengths_.input, 1), 0);
    DWORD got = 0;
    const HidOutcome outcome = Overlapped(
        [&](OVERLAPPED& overlapped) {
          return CurrentWin32HidApi().readFile(device_, report.data(),
                                               static_cast<DWORD>(report.size()), nullptr,
                                               &overlapped);
        },
        deadline, got);
    if (outcome != HidOutcome::kDone) return {outcome, 0};
    // A report without a number comes after a 0.
    const std::size_t skip = got > 0 && report[0] == 0 ? 1 : 0;
    const std::size_t size = std::min<std::size_t>(buffer.size(), got - skip);
    std::copy_n(report.begin() + static_cast<std::ptrdiff_t>(skip), size, buffer.begin());
    return {HidOutcome::kDone, size};
  }

  HidRead GetFeature(std::span<uint8_t> report) override {
    std::vector<uint8_t> padded(std::max(lengths_.feature, report.size()), 0);
    padded[0] = report[0];
    if (!CurrentWin32HidApi().getFeature(device_, padded.data(),
                                         static_cast<ULONG>(padded.size()))) {
      return {HidOutcome::kGone, 0};
    }
    std::copy_n(padded.begin(), report.size(), report.begin());
    return {HidOutcome::kDone, report.size()};
  }

  HidOutcome SetFeature(std::span<const uint8_t> report) override {
    std::vector<uint8_t> padded(std::max(lengths_.feature, report.size()), 0);
    std::copy(report.begin(), report.end(), padded.begin());
    const BOOLEAN set =
        CurrentWin32HidApi().setFeature(device_, padded.data(), static_cast<ULONG>(padded.size()));
    return set ? HidOutcome::kDone : HidOutcome::kGone;
  }

 private:
  // Starts a request and waits for it until the deadline; one that is still pending then is
  // cancelled, and waited for until the system has let go of its buffer.
  template <typename Start>
  HidOutcome Overlapped(Start start, Microseconds deadline, DWORD& transferred) {
    const Win32HidApi& api = CurrentWin32HidApi();
    OVERLAPPED overlapped{};
    overlapped.hEvent = event_;
    if (!start(overlapped) && GetLastError() != ERROR_IO_PENDING) return HidOutcome::kGone;
    if (api.waitForObject(event_, MillisecondsUntil(deadline)) != WAIT_OBJECT_0) {
      api.cancelIo(device_);
      // Done in the meantime, it counts; cancelled, it timed out.
      if (api.getOverlappedResult(device_, &overlapped, &transferred, TRUE)) {
        return HidOutcome::kDone;
      }
      return GetLastError() == ERROR_OPERATION_ABORTED ? HidOutcome::kTimeout : HidOutcome::kGone;
    }
    return api.getOverlappedResult(device_, &overlapped, &transferred, FALSE) ? HidOutcome::kDone
                                                                              : HidOutcome::kGone;
  }

  HANDLE device_;
  HANDLE event_;
  ReportLengths lengths_;
};

// Why a device would not open, in words.
std::string OpenProblem(const std::string& path, DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
      return "no such HID device " + path + " (its adapter is gone or not plugged in)";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return "another program keeps " + path + " to itself";
    default: return "cannot open " + path + " (Windows error " + std::to_string(error) + ")";
  }
}

bool LengthsOf(HANDLE device, ReportLengths& lengths) {
  const Win32HidApi& api = CurrentWin32HidApi();
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!api.getPreparsedData(device, &preparsed)) return false;
  HIDP_CAPS caps{};
  const bool known = api.getCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS;
  api.freePreparsedData(preparsed);
  lengths = {caps.InputReportByteLength, caps.OutputReportByteLength, caps.FeatureReportByteLength};
  return known;
}

}  // namespace

HidAccessOpening OpenHidAccess(const std::string& path) {
  const Win32HidApi& api = CurrentWin32HidApi();
  const HANDLE device =
      api.createFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (device == INVALID_HANDLE_VALUE) return {nullptr, OpenProblem(path, GetLastError())};
  ReportLengths lengths;
  const HANDLE event =
      LengthsOf(device, lengths) ? api.createEvent(nullptr, TRUE, FALSE, nullptr) : nullptr;
  if (event == nullptr) {
    api.closeHandle(device);
    return {nullptr, "cannot read the reports of " + path};
  }
  return {std::make_unique<Win32HidAccess>(device, event, lengths), {}};
}

}  // namespace torvix
