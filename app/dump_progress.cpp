#include "app/dump_progress.h"

namespace torvix {

namespace {

constexpr int kRowsPerGroup = 16;

}  // namespace

std::string DumpProgressText(const char* groupWord, int rowsDone, int rowsTotal) {
  const int groups = rowsTotal / kRowsPerGroup;
  const int current = rowsDone < rowsTotal ? rowsDone / kRowsPerGroup + 1 : groups;
  return std::string(groupWord) + " " + std::to_string(current) + " of " + std::to_string(groups);
}

DumpProgressRun::DumpProgressRun(ProgressHost& host, const std::string& caption,
                                 const char* groupWord, int groups)
    : host_(host), groupWord_(groupWord) {
  host_.Begin(caption);
  host_.Show(DumpProgressText(groupWord_, 0, groups * kRowsPerGroup), 0);
}

DumpProgressRun::~DumpProgressRun() { host_.End(); }

DumpProgress DumpProgressRun::Progress() {
  return [this](int rowsDone, int rowsTotal) {
    const int percent = rowsTotal > 0 ? rowsDone * 100 / rowsTotal : 100;
    host_.Show(DumpProgressText(groupWord_, rowsDone, rowsTotal), percent);
  };
}

DumpStop DumpProgressRun::Stop() {
  return [this] { return host_.StopAsked(); };
}

}  // namespace torvix
