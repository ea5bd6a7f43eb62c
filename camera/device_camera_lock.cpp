// SPDX-License-Identifier: MIT
#include "camera/device_camera_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "bridge/devices/device_words.h"
#include "clock/lock_wait.h"

namespace torvix {

namespace {

// The lock's file opened: its descriptor, or -1 with the reason it cannot be taken, or -1 with
// none when there is no device to protect.
struct LockOpening {
  int fd = -1;
  std::string problem;
};

LockOpening Refused(int fd, std::string problem) {
  if (fd >= 0) ::close(fd);
  return {-1, std::move(problem)};
}

std::string Reason(int error) {
  return error == ELOOP ? "it is a symbolic link" : std::strerror(error);
}

// Read-write, as a lock for writing needs; never created here: the daemon makes it.
LockOpening OpenLockFile(const CameraLockTarget& target) {
  struct stat socket {};
  if (::lstat(target.socket.c_str(), &socket) != 0 || !S_ISSOCK(socket.st_mode)) return {};
  const int fd = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return Refused(fd, Reason(errno));
  struct stat file {};
  if (::fstat(fd, &file) != 0) return Refused(fd, Reason(errno));
  if (!S_ISREG(file.st_mode)) return Refused(fd, "it is not a regular file");
  // Only the socket's owner could have made it: a file another user planted holds nothing.
  if (file.st_uid != socket.st_uid) {
    return Refused(fd, "it does not belong to the owner of " + target.socket);
  }
  return {fd, {}};
}

LockOpening OpenDeviceNode(const CameraLockTarget& target) {
  const int fd = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd >= 0) return {fd, {}};
  // An adapter that is gone: the transfers say so.
  if (errno == ENOENT || errno == ENODEV || errno == ENXIO) return {};
  return Refused(fd, Reason(errno));
}

// The camera is byte 0 of the file, the turnstile byte 1.
int LockByte(int fd, LockPart part, bool held) {
  struct flock range {};
  range.l_type = held ? F_WRLCK : F_UNLCK;
  range.l_whence = SEEK_SET;
  range.l_start = part == LockPart::kLock ? 0 : 1;
  range.l_len = 1;
  int rc = 0;
  do {
    rc = ::fcntl(fd, F_OFD_SETLK, &range);
  } while (rc < 0 && errno == EINTR);
  if (rc == 0) return 0;
  return errno == EAGAIN || errno == EACCES ? EWOULDBLOCK : errno;
}

std::string CannotTake(const CameraLockTarget& target, const std::string& reason) {
  return "The camera's lock " + target.path + " cannot be taken: " + reason;
}

// What a technician looks for (fuser -v PATH lists the programs that have it open).
std::string HeldName(const CameraLockTarget& target) {
  return (target.socket.empty() ? "its lock on " : "its lock ") + target.path;
}

}  // namespace

CameraLockTarget CameraLockTargetOf(const char* setting) { return CameraIdentityOf(setting); }

DeviceCameraLock::~DeviceCameraLock() { Release(); }

bool DeviceCameraLock::Take() {
  problem_.clear();
  const CameraLockTarget target = CameraLockTargetOf(std::getenv("QUORLINK_DEVICE"));
  if (target.path.empty()) return takeInProcess();
  const LockOpening opening = target.socket.empty() ? OpenDeviceNode(target) : OpenLockFile(target);
  if (opening.fd < 0 && opening.problem.empty()) return takeInProcess();
  if (opening.fd < 0) {
    problem_ = CannotTake(target, opening.problem);
    return false;
  }
  fd_ = opening.fd;
  const int result =
      WaitForTurn([this](LockPart part, bool held) { return LockByte(fd_, part, held); });
  if (result == 0) return true;
  Release();
  problem_ = result == EWOULDBLOCK ? CameraBusyMessage(HeldName(target))
                                   : CannotTake(target, std::strerror(result));
  return false;
}

bool DeviceCameraLock::takeInProcess() {
  inProcess_ = ProcessCameraLock().Take();
  if (!inProcess_) problem_ = ProcessCameraLock().Problem();
  return inProcess_;
}

// The descriptor's locks go with it.
void DeviceCameraLock::Release() {
  if (inProcess_) ProcessCameraLock().Release();
  inProcess_ = false;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace torvix
