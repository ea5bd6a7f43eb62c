// SPDX-License-Identifier: MIT
#include "dumps/file_cause_codes.h"

#include <cerrno>

namespace torvix {

namespace {

struct ErrnoCause {
  int errnoValue;
  unsigned cause;
};

// Creating a file never fails for the file itself being absent: ENOENT means a folder of the
// path is missing, hence a bad path.
constexpr ErrnoCause kErrnoCauses[] = {
    {ENOENT, kFileCauseBadPath},         {ENOTDIR, kFileCauseBadPath},
    {ENAMETOOLONG, kFileCauseBadPath},   {EINVAL, kFileCauseBadPath},
    {ELOOP, kFileCauseBadPath},          {EMFILE, kFileCauseTooManyOpen},
    {ENFILE, kFileCauseTooManyOpen},     {EACCES, kFileCauseAccessDenied},
    {EPERM, kFileCauseAccessDenied},     {EROFS, kFileCauseAccessDenied},
    {EISDIR, kFileCauseAccessDenied},    {EIO, kFileCauseHardIo},
    {EBUSY, kFileCauseSharingViolation}, {ETXTBSY, kFileCauseSharingViolation},
    {ENOSPC, kFileCauseDiskFull},
#ifdef EDQUOT
    {EDQUOT, kFileCauseDiskFull},
#endif
    {EFBIG, kFileCauseDiskFull},
};

struct CauseWords {
  unsigned cause;
  const char* words;
};

constexpr CauseWords kCauseWords[] = {
    {kFileCauseNone, "no cause is known"},
    {kFileCauseGeneric, "an unexpected file error occurred"},
    {kFileCauseBadPath, "the path is invalid or its folder does not exist"},
    {kFileCauseTooManyOpen, "too many files are open"},
    {kFileCauseAccessDenied, "access to the file is denied"},
    {kFileCauseHardIo, "the device reported an input/output error"},
    {kFileCauseSharingViolation, "the file is in use"},
    {kFileCauseDiskFull, "the disk is full"},
};

}  // namespace

unsigned FileCauseFromErrno(int errnoValue) {
  if (errnoValue == 0) return kFileCauseNone;
  for (const ErrnoCause& row : kErrnoCauses) {
    if (row.errnoValue == errnoValue) return row.cause;
  }
  return kFileCauseGeneric;
}

const char* FileCauseWords(unsigned cause) {
  for (const CauseWords& row : kCauseWords) {
    if (row.cause == cause) return row.words;
  }
  return kCauseWords[1].words;
}

}  // namespace torvix
