// SPDX-License-Identifier: MIT
#include "sim/camera_state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace torvix {

namespace {

constexpr const char* kFormat = "zembrel-sim camera state";
constexpr int kVersion = 1;
constexpr std::size_t kRowBytes = 16;

nlohmann::json HexRows(std::span<const uint8_t> bytes) {
  nlohmann::json rows = nlohmann::json::array();
  for (std::size_t at = 0; at < bytes.size(); at += kRowBytes) {
    std::string row;
    for (std::size_t i = at; i < at + kRowBytes && i < bytes.size(); ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, i == at ? "%02x" : " %02x", bytes[i]);
      row += hex;
    }
    rows.push_back(row);
  }
  return rows;
}

// Exactly bytes.size() bytes in rows of 16 two-digit hex values.
bool ParseHexRows(const nlohmann::json& rows, std::span<uint8_t> bytes) {
  if (!rows.is_array() || rows.size() * kRowBytes != bytes.size()) return false;
  std::size_t at = 0;
  for (const auto& row : rows) {
    if (!row.is_string()) return false;
    std::istringstream in(row.get<std::string>());
    std::string word;
    std::size_t count = 0;
    while (in >> word) {
      if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
          !std::isxdigit(static_cast<unsigned char>(word[1])) || count == kRowBytes) {
        return false;
      }
      const unsigned long value = std::strtoul(word.c_str(), nullptr, 16);
      bytes[at + count++] = static_cast<uint8_t>(value);
    }
    if (count != kRowBytes) return false;
    at += kRowBytes;
  }
  return true;
}

std::string Errno(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The directory entry of the rename must reach the disk too.
void SyncDirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string dir =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The mode the saved file gets: an existing state file keeps its own; a new one gets what a
// plain create would give it. A symbolic link at path is refused: the state would end up
// somewhere else than where the link led, or, written through, in a file it names.
bool ModeForSave(const std::string& path, mode_t& mode, std::string& error) {
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) == 0) {
    if (S_ISLNK(existing.st_mode)) {
      error = "state file " + path + " is a symbolic link; not written";
      return false;
    }
    mode = existing.st_mode & 0777;
    return true;
  }
  // Reading the umask means setting it; zembrel-sim has one thread.
  const mode_t umask = ::umask(0);
  ::umask(umask);
  mode = 0644 & ~umask;
  return true;
}

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// The whole file into text (kLoaded), kMissing, or kUnreadable with error saying why. A FIFO is
// opened without waiting for a writer, and only a regular file is read: /dev/zero never ends.
StateLoad ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return StateLoad::kMissing;
    error = Errno("cannot read state file", path);
    return StateLoad::kUnreadable;
  }
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  if (!known || !S_ISREG(info.st_mode)) {
    error = !known ? Errno("cannot read state file", path)
                   : "cannot read state file " + path + ": it is " + kindOf(info.st_mode) +
                         ", not a regular file";
    ::close(fd);
    return StateLoad::kUnreadable;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = Errno("cannot read state file", path);
      ::close(fd);
      return StateLoad::kUnreadable;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return StateLoad::kLoaded;
}

// A parsed document that is one of our state files, taken apart into state.
bool IsStateFile(const nlohmann::json& json, CameraState& state) {
  if (json.is_discarded() || !json.is_object()) return false;
  const auto format = json.find("format");
  const auto version = json.find("version");
  const auto registers = json.find("registers");
  const auto eeprom = json.find("eeprom");
  if (format == json.end() || version == json.end() || registers == json.end() ||
      eeprom == json.end()) {
    return false;
  }
  return format->is_string() && format->get<std::string>() == kFormat &&
         version->is_number_integer() && version->get<int>() == kVersion &&
         ParseHexRows(*registers, state.registers) && ParseHexRows(*eeprom, state.eeprom);
}

}  // namespace

StateLoad LoadCameraState(const std::string& path, CameraState& state, std::string& error) {
  std::string text;
  const StateLoad read = ReadWholeFile(path, text, error);
  if (read != StateLoad::kLoaded) return read;
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  CameraState loaded;
  if (!IsStateFile(json, loaded)) {
    error = "state file " + path + " is corrupt or not a zembrel-sim state file; left untouched";
    return StateLoad::kCorrupt;
  }
  state = loaded;
  return StateLoad::kLoaded;
}

bool SaveCameraState(const std::string& path, const CameraState& state, std::string& error) {
  nlohmann::json json;
  json["format"] = kFormat;
  json["version"] = kVersion;
  json["registers"] = HexRows(state.registers);
  json["eeprom"] = HexRows(state.eeprom);
  const std::string text = json.dump(1) + "\n";

  mode_t mode = 0;
  if (!ModeForSave(path, mode, error)) return false;
  // A name nobody can guess, created here and now: a link planted in the folder is never
  // opened, let alone written through.
  std::string temp = path + kStateTemporarySuffix;
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Errno("cannot write state file", temp);
    return false;
  }
  const bool written = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  const int savedErrno = errno;
  // rename replaces whatever name is at path, a link included, never what a link points to.
  // The temporary name is gone before the file is closed: one that nobody holds open is a
  // leftover of a save that never finished (RemoveStaleStateFiles).
  const bool renamed = written && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!renamed) {
    if (written) {
      error = Errno("cannot replace state file", path);
    } else {
      errno = savedErrno;
      error = Errno("cannot write state file", temp);
    }
    ::unlink(temp.c_str());
  }
  ::close(fd);
  if (!renamed) return false;
  SyncDirectoryOf(path);
  return true;
}

}  // namespace torvix
