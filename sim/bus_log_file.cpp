#include "sim/bus_log_file.h"

#include <utility>

namespace torvix {

BusLogFile::BusLogFile(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "a");
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
