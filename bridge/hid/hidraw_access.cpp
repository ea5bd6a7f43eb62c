// SPDX-License-Identifier: MIT
// A HID device through Linux's hidraw node, /dev/hidrawN: write() sends an output report
// (number first, 0 without numbered reports), read() gives the next input report as the device
// sent it, and two ioctls carry feature reports. The node is there only while no kernel driver
// of its own has the chip (hid-generic binds it then).
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "bridge/hid/hid_devices.h"
#include "clock/lock_wait.h"

namespace torvix {

namespace {

// What an errno of a request says: the device gone, or (EAGAIN) nothing yet.
HidOutcome OutcomeOf(int error) {
  return error == EAGAIN || error == EINTR ? HidOutcome::kTimeout : HidOutcome::kGone;
}

class HidrawAccess final : public HidAccess {
 public:
  explicit HidrawAccess(int fd) : fd_(fd) {}
  ~HidrawAccess() override { ::close(fd_); }
  HidrawAccess(const HidrawAccess&) = delete;
  HidrawAccess& operator=(const HidrawAccess&) = delete;

  // usbhid bounds an output report by its own time-out (5 s); a short write is a failure.
  HidOutcome Write(std::span<const uint8_t> report, Microseconds /*deadline*/) override {
    ssize_t written = 0;
    do {
      written = ::write(fd_, report.data(), report.size());
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(report.size()) ? HidOutcome::kDone : HidOutcome::kGone;
  }

  HidRead Read(std::span<uint8_t> buffer, Microseconds deadline) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
      if (got >= 0) return {HidOutcome::kDone, static_cast<std::size_t>(got)};
      if (OutcomeOf(errno) == HidOutcome::kGone) return {HidOutcome::kGone, 0};
      const auto left = std::chrono::ceil<Milliseconds>(deadline - Now()).count();
      if (left <= 0) return {HidOutcome::kTimeout, 0};
      pollfd wanted{fd_, POLLIN, 0};
      if (::poll(&wanted, 1, static_cast<int>(left)) < 0 && errno != EINTR) {
        return {HidOutcome::kGone, 0};
      }
      // A node whose device went away answers POLLHUP and POLLERR; its read says EIO.
    }
  }

  HidRead GetFeature(std::span<uint8_t> report) override {
    const int got = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
    if (got < 0) return {OutcomeOf(errno), 0};
    return {HidOutcome::kDone, static_cast<std::size_t>(got)};
  }

  HidOutcome SetFeature(std::span<const uint8_t> report) override {
    const int set = ::ioctl(fd_, HIDIOCSFEATURE(report.size()), report.data());
    return set == static_cast<int>(report.size()) ? HidOutcome::kDone : OutcomeOf(errno);
  }

  // As the i2c-dev bus does: flock on the node, asked without blocking within the lock wait.
  bool Claim() override {
    return WaitForLock([this] { return ::flock(fd_, LOCK_EX | LOCK_NB) == 0; });
  }
  void Release() override { ::flock(fd_, LOCK_UN); }

 private:
  int fd_;
};

}  // namespace

HidAccessOpening OpenHidAccess(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd >= 0) return {std::make_unique<HidrawAccess>(fd), {}};
  const int error = errno;
  if (error == EACCES || error == EPERM) {
    return {nullptr, "no permission to open " + path +
                         " (join the i2c group; the udev rule lets it open the HID bridge chips)"};
  }
  if (error == ENOENT || error == ENODEV || error == ENXIO) {
    return {nullptr, "no such HID device " + path + " (its adapter is gone or not plugged in)"};
  }
  return {nullptr, "cannot open " + path + ": " + std::strerror(error)};
}

}  // namespace torvix
