// SPDX-License-Identifier: MIT
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
  // Problem() why not. Only a regular file is taken: a FIFO nobody reads would block the open,
  // and then every transfer, and a device is no log.
  explicit BusLogFile(std::string path);
  ~BusLogFile();
  BusLogFile(const BusLogFile&) = delete;
  BusLogFile& operator=(const BusLogFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  // "No such file or directory", "it is not a regular file"; empty when open.
  const std::string& Problem() const { return problem_; }
  void Append(const BusTransfer& transfer);

 private:
  std::string path_;
  std::string problem_;
  std::FILE* file_ = nullptr;
};

}  // namespace torvix
