// A bus log kept in a text file: every transfer appended as one FormatTransfer line and flushed
// at once, so whoever watches the file sees each transfer as it happens. zembrel-sim --log and
// the in-process camera's QUORLINK_SIM_LOG write the same lines.
#pragma once

#include <cstdio>
#include <string>

#include "sim/bus_log.h"

namespace torvix {

class BusLogFile {
 public:
  // Opens path for appending (created when missing); IsOpen() tells whether that worked, and
  // errno why not.
  explicit BusLogFile(std::string path);
  ~BusLogFile();
  BusLogFile(const BusLogFile&) = delete;
  BusLogFile& operator=(const BusLogFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  void Append(const BusTransfer& transfer);

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace torvix
