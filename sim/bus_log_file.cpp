// SPDX-License-Identifier: MIT
#include "sim/bus_log_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace torvix {

namespace {

constexpr const char* kNotRegular = "it is not a regular file";

#if defined(_WIN32)

std::FILE* OpenRegularForAppend(const std::string& path, std::string& problem) {
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (file == nullptr) {
    problem = std::strerror(errno);
    return nullptr;
  }
  struct _stat64 info {};
  if (::_fstat64(::_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    problem = kNotRegular;
    return nullptr;
  }
  return file;
}

#else

// Opened without waiting and looked at through the descriptor itself, so what is checked is
// what gets written: no other file can take the name in between.
std::FILE* OpenRegularForAppend(const std::string& path, std::string& problem) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) {
    // A FIFO without a reader, a socket or a device without its driver.
    problem = errno == ENXIO ? kNotRegular : std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    problem = kNotRegular;
    return nullptr;
  }
  // Ordinary writes from here on: some file systems honour the flag on regular files too.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    problem = std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "a");
  if (file == nullptr) {
    problem = std::strerror(errno);
    ::close(fd);
  }
  return file;
}

#endif

}  // namespace

BusLogFile::BusLogFile(std::string path) : path_(std::move(path)) {
  file_ = OpenRegularForAppend(path_, problem_);
}

BusLogFile::~BusLogFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void BusLogFile::Append(const BusTransfer& transfer) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%s\n", FormatTransfer(transfer).c_str());
  std::fflush(file_);
}

}  // namespace torvix
