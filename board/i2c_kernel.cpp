// SPDX-License-Identifier: MIT
#include "board/i2c_kernel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace torvix {

namespace {

class SystemI2cKernel final : public I2cKernel {
 public:
  int Open(const std::string& path, int& fd) override {
    do {
      fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? errno : 0;
  }

  // Not retried on EINTR: a transfer that was interrupted may have reached the bus already.
  int Ioctl(int fd, unsigned long request, void* arg, int& returned) override {
    const int result = ::ioctl(fd, request, arg);
    if (result < 0) return errno;
    returned = result;
    return 0;
  }

  int Lock(int fd, bool held) override {
    int rc = 0;
    do {
      rc = ::flock(fd, held ? LOCK_EX | LOCK_NB : LOCK_UN);
    } while (rc < 0 && errno == EINTR);
    return rc < 0 ? errno : 0;
  }

  void Close(int fd) override { ::close(fd); }

  bool Exists(const std::string& path) const override {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 || errno != ENOENT;
  }

  std::filesystem::path SysRoot() const override { return "/sys"; }
};

I2cKernel*& Installed() {
  static SystemI2cKernel system;
  static I2cKernel* current = &system;
  return current;
}

}  // namespace

I2cKernel& CurrentI2cKernel() { return *Installed(); }

ScopedI2cKernel::ScopedI2cKernel(I2cKernel& kernel) : previous_(Installed()) {
  Installed() = &kernel;
}

ScopedI2cKernel::~ScopedI2cKernel() { Installed() = previous_; }

}  // namespace torvix
