// SPDX-License-Identifier: MIT
#include "sim/daemon_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace torvix {

namespace {

bool IsLeftLockFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_size == 0 &&
         info.st_nlink == 1;
}

}  // namespace

bool MakeCameraLockFile(const std::string& path, mode_t mode, MadeFile& made, std::string& error) {
  constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  struct stat before {};
  const bool exists = ::lstat(path.c_str(), &before) == 0;
  if (exists && !IsLeftLockFile(before)) {
    error = path + " exists and is not a camera lock of this user; left alone";
    return false;
  }
  const int fd = ::open(path.c_str(), exists ? kFlags : kFlags | O_CREAT | O_EXCL, mode);
  if (fd < 0) {
    error = "cannot make the camera lock " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  // What came between the look and the open is not ours to change.
  const bool same = ::fstat(fd, &info) == 0 &&
                    (!exists || (info.st_dev == before.st_dev && info.st_ino == before.st_ino));
  const bool set = same && ::fchmod(fd, mode) == 0;
  const int reason = errno;
  ::close(fd);
  if (!set) {
    error = "cannot make the camera lock " + path + ": " +
            (same ? std::strerror(reason) : "it was replaced meanwhile");
    return false;
  }
  made = {info.st_dev, info.st_ino};
  return true;
}

void RemoveMadeFile(const std::string& path, const MadeFile& made) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && MadeFile{info.st_dev, info.st_ino} == made) {
    ::unlink(path.c_str());
  }
}

}  // namespace torvix
