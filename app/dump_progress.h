// SPDX-License-Identifier: MIT
// A register dump run from the menu: its progress shown through the progress host (page or
// block, percent) and its Cancel button turned into the writer's stop.
#pragma once

#include <string>

#include "dumps/dump_result.h"
#include "window/progress_host.h"

namespace torvix {

class DumpProgressRun {
 public:
  // Opens the host's progress window with caption at 0 %; groupWord names one of the dump's
  // groups of 256 registers. The text shows the group being read ("Page 3 of 8"), the last
  // one once the dump is done.
  DumpProgressRun(ProgressHost& host, const std::string& caption, const char* groupWord,
                  int groups);
  ~DumpProgressRun();
  DumpProgressRun(const DumpProgressRun&) = delete;
  DumpProgressRun& operator=(const DumpProgressRun&) = delete;

  DumpProgress Progress();
  DumpStop Stop();

 private:
  ProgressHost& host_;
  const char* groupWord_;
  int groups_;
};

}  // namespace torvix
