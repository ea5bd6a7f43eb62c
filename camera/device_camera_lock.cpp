// SPDX-License-Identifier: MIT
#include "camera/device_camera_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "board/socket_path.h"
#include "clock/lock_wait.h"
#if defined(__linux__)
#include "board/i2c_dev_buses.h"
#endif

namespace torvix {

namespace {

// Names longer than this are cut: two devices that then share a file only wait for each other.
constexpr std::size_t kLongestName = 200;

// The device's own name: a socket path, or the i2c-dev bus a setting resolves to.
std::string DeviceOf(const char* setting) {
  if (setting == nullptr || setting[0] == '\0') return DefaultSocketPath();
  const std::string_view device(setting);
  if (device == "sim") return {};
#if defined(__linux__)
  if (device.starts_with(kI2cDevicePrefix)) {
    return FindI2cBus(device.substr(kI2cDevicePrefix.size()), CurrentI2cKernel()).path;
  }
#endif
  return std::string(device);
}

// Opened read-only: flock needs no more, and another user may then open a file this one made.
// A file of another user in a sticky folder must be opened without O_CREAT (the kernel's
// protected_regular refuses that), so an existing file is opened first.
int OpenLockFile(const std::string& path) {
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  for (int tries = 0; tries < 2; ++tries) {
    int fd = ::open(path.c_str(), kFlags);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
      if (fd >= 0) ::fchmod(fd, 0644);  // whatever the umask: the other users take it too
      if (fd < 0 && errno == EEXIST) continue;
    }
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
      ::close(fd);
      return -1;
    }
    return fd;
  }
  return -1;
}

}  // namespace

std::filesystem::path SharedLockFolder() {
  struct stat info {};
  const bool openToAll = ::stat("/run/lock", &info) == 0 && S_ISDIR(info.st_mode) &&
                         (info.st_mode & S_IWOTH) != 0 && (info.st_mode & S_ISVTX) != 0;
  return openToAll ? "/run/lock" : "/tmp";
}

std::string CameraLockFile(const std::filesystem::path& folder, const char* setting) {
  const std::string device = DeviceOf(setting);
  if (device.empty()) return {};
  std::error_code failure;
  std::string canonical = std::filesystem::weakly_canonical(device, failure).string();
  if (failure) canonical = device;
  std::string name = "torvix-camera";
  for (const char c : canonical) name += c == '/' ? '-' : c;
  if (name.size() > kLongestName) name.resize(kLongestName);
  return (folder / (name + ".lock")).string();
}

DeviceCameraLock::~DeviceCameraLock() { Release(); }

bool DeviceCameraLock::Take() {
  file_ = CameraLockFile(folder_, std::getenv("QUORLINK_DEVICE"));
  if (file_.empty()) {
    inProcess_ = ProcessCameraLock().Take();
    return inProcess_;
  }
  if (WaitForLock([this] { return tryFile(); })) return true;
  Release();
  return false;
}

// One try: true when the lock is ours, or when there is none to be had.
bool DeviceCameraLock::tryFile() {
  if (fd_ < 0) fd_ = OpenLockFile(file_);
  if (fd_ < 0) return true;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK || errno == EINTR) return false;
    Release();
    return true;
  }
  // The program before us removed the file as it gave the lock back: the lock that counts is
  // the one on the file the name leads to now.
  struct stat held {};
  struct stat named {};
  if (::fstat(fd_, &held) == 0 && ::stat(file_.c_str(), &named) == 0 &&
      held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
    locked_ = true;
    return true;
  }
  Release();
  return false;
}

// The holder removes the file before it closes it, so no lock file outlives its use; one that
// belongs to another user stays, which is no harm.
void DeviceCameraLock::Release() {
  if (inProcess_) {
    inProcess_ = false;
    ProcessCameraLock().Release();
    return;
  }
  if (locked_) ::unlink(file_.c_str());
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  locked_ = false;
}

}  // namespace torvix
