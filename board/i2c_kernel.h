// SPDX-License-Identifier: MIT
// The seam between the Linux i2c-dev bus and the kernel: open, ioctl, flock, close, and where
// sysfs is mounted.
//
// Production calls the kernel; tests install a fake kernel that records what it is asked
// (the i2c_msg arrays, the SMBus calls) and answers with data or an errno. Calls return 0 or
// the errno, so the one place that turns an errno into a status byte sees it unchanged.
#pragma once

#include <filesystem>
#include <string>

namespace torvix {

class I2cKernel {
 public:
  virtual ~I2cKernel() = default;
  // open(path, read-write, close-on-exec): 0 and fd, or the errno.
  virtual int Open(const std::string& path, int& fd) = 0;
  // ioctl(fd, request, arg): 0 and what the call returned (for I2C_RDWR the number of
  // messages the adapter carried out), or the errno.
  virtual int Ioctl(int fd, unsigned long request, void* arg, int& returned) = 0;
  // The same, for calls whose result is only success.
  int Ioctl(int fd, unsigned long request, void* arg) {
    int returned = 0;
    return Ioctl(fd, request, arg, returned);
  }
  // flock(fd, LOCK_EX | LOCK_NB) when held, flock(fd, LOCK_UN) when not: 0, or the errno
  // (EWOULDBLOCK while another open file holds the lock). It never waits: the caller decides
  // how long to ask again.
  virtual int Lock(int fd, bool held) = 0;
  virtual void Close(int fd) = 0;
  // Whether anything is at path: false only when nothing is (ENOENT). The kernel removes an
  // adapter's device node as its driver lets go of it.
  virtual bool Exists(const std::string& path) const = 0;
  // The folder sysfs is mounted on, where the adapters' names are read.
  virtual std::filesystem::path SysRoot() const = 0;
};

// The kernel in force: the real one unless a ScopedI2cKernel installed another.
I2cKernel& CurrentI2cKernel();

// Installs a kernel for the lifetime of this object and restores the previous one after.
class ScopedI2cKernel {
 public:
  explicit ScopedI2cKernel(I2cKernel& kernel);
  ~ScopedI2cKernel();
  ScopedI2cKernel(const ScopedI2cKernel&) = delete;
  ScopedI2cKernel& operator=(const ScopedI2cKernel&) = delete;

 private:
  I2cKernel* previous_;
};

}  // namespace torvix
