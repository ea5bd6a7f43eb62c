// SPDX-License-Identifier: MIT
// The cause codes that file failures are reported with, and their words.
//
// The system error of a failed open or write is translated here, once, into a small set of
// stable codes that the user sees in "Can't open file ..., error = N"; docs/files.md lists
// the same table.
#pragma once

namespace torvix {

enum FileCause : unsigned {
  kFileCauseNone = 0,               // no cause known
  kFileCauseGeneric = 1,            // a failure of no other class
  kFileCauseBadPath = 3,            // a folder of the path does not exist, or the name is invalid
  kFileCauseTooManyOpen = 4,        // the process or the system has no file handle left
  kFileCauseAccessDenied = 5,       // no permission, read-only medium, or the path is a folder
  kFileCauseHardIo = 10,            // the device reported an input/output error
  kFileCauseSharingViolation = 11,  // the file is in use and cannot be written now
  kFileCauseDiskFull = 14,          // no space (or quota) left on the medium
};

// The cause code for a C library errno value; 0 for 0.
unsigned FileCauseFromErrno(int errnoValue);

// The cause in words, for the user: "the disk is full". Never null.
const char* FileCauseWords(unsigned cause);

}  // namespace torvix
