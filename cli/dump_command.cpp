#include "cli/dump_command.h"

#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"
#include "files/dsp_settings_file.h"
#include "files/eeprom_dump_file.h"

namespace torvix {

namespace {

constexpr int kBarWidth = 40;

void reportIncomplete(CliSession& session, DumpKind kind, const std::string& path,
                      const DumpResult& result) {
  const int total = kind == DumpKind::kDsp ? kDspFileLines : kEepromFileLines;
  std::ostream& err = session.console.err;
  err << "Error: " << path << " is incomplete: " << result.linesWritten << " of " << total
      << " lines";
  if (result.outcome == DumpOutcome::kReadFailed) {
    err << ", the read of " << (kind == DumpKind::kDsp ? "page " : "block ") << result.group
        << ", row " << result.row << ", column " << result.column << " failed";
  }
  err << '\n';
}

}  // namespace

std::string ProgressBar(int done, int total) {
  if (total <= 0) total = 1;
  if (done > total) done = total;
  if (done < 0) done = 0;
  const int filled = done * kBarWidth / total;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kBarWidth - filled), ' ');
  char percent[16];
  std::snprintf(percent, sizeof percent, "] %3d%% ", done * 100 / total);
  return bar + percent;
}

int RunDump(CliSession& session, DumpKind kind, const std::string& path) {
  DumpProgress progress;
  if (session.console.errIsTerminal) {
    progress = [&session](int done, int total) {
      session.console.err << ProgressBar(done, total);
      session.console.err.flush();
      session.host.ProgressDrawn();
    };
  }
  const DumpResult result =
      kind == DumpKind::kDsp
          ? WriteDspSettingsFile(session.link, session.host, path, progress)
          : WriteEepromDumpFile(session.link, session.host, path, progress);
  session.host.EndProgress();
  switch (result.outcome) {
    case DumpOutcome::kComplete:
      return kExitDone;
    case DumpOutcome::kOpenFailed:
      return kExitFailed;  // the writer has said why; there is no file to speak of
    case DumpOutcome::kReadFailed:
    case DumpOutcome::kWriteFailed:
    case DumpOutcome::kCancelled:
      reportIncomplete(session, kind, path, result);
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace torvix
