// SPDX-License-Identifier: MIT
#include "app/dump_progress.h"

namespace torvix {

namespace {

// "Page 3 of 8".
std::string groupText(const char* groupWord, int current, int groups) {
  return std::string(groupWord) + " " + std::to_string(current) + " of " + std::to_string(groups);
}

}  // namespace

DumpProgressRun::DumpProgressRun(ProgressHost& host, const std::string& caption,
                                 const char* groupWord, int groups)
    : host_(host), groupWord_(groupWord), groups_(groups) {
  host_.Begin(caption);
  host_.Show(groupText(groupWord_, 1, groups_), 0);
}

DumpProgressRun::~DumpProgressRun() { host_.End(); }

// The writer counts rows; the group is derived from them, so the rows of a group are the
// writer's business alone.
DumpProgress DumpProgressRun::Progress() {
  return [this](int rowsDone, int rowsTotal) {
    const int percent = rowsTotal > 0 ? rowsDone * 100 / rowsTotal : 100;
    const int current = rowsDone < rowsTotal ? rowsDone * groups_ / rowsTotal + 1 : groups_;
    host_.Show(groupText(groupWord_, current, groups_), percent);
  };
}

DumpStop DumpProgressRun::Stop() {
  return [this] { return host_.StopAsked(); };
}

}  // namespace torvix
