// SPDX-License-Identifier: MIT
#include "dumps/dump_text_file.h"

#include <cerrno>

#include "dumps/file_cause_codes.h"

namespace torvix {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kLineEndLength = 2;

}  // namespace

DumpTextFile::~DumpTextFile() { Close(); }

bool DumpTextFile::fail() {
  cause_ = FileCauseFromErrno(errno);
  return false;
}

bool DumpTextFile::Open(const std::string& path) {
  Close();
  if (path.empty() || path.find('\0') != std::string::npos) {
    cause_ = kFileCauseBadPath;
    return false;
  }
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return fail();
  return true;
}

bool DumpTextFile::WriteLine(std::string_view text) {
  if (file_ == nullptr) {
    cause_ = kFileCauseGeneric;
    return false;
  }
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) return fail();
  if (std::fwrite(kLineEnd, 1, kLineEndLength, file_) != kLineEndLength) return fail();
  if (std::fflush(file_) != 0) return fail();
  return true;
}

bool DumpTextFile::Close() {
  if (file_ == nullptr) return true;
  errno = 0;
  const int result = std::fclose(file_);
  file_ = nullptr;
  if (result != 0) return fail();
  return true;
}

}  // namespace torvix
