#include "cli/dump_command.h"

#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"
#include "cli/interrupt_catcher.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"

namespace torvix {

namespace {

constexpr int kBarWidth = 40;

void reportIncomplete(CliSession& session, DumpKind kind, const std::string& path,
                      const DumpResult& result) {
  const int total = kind == DumpKind::kDsp ? kDspFileLines : kEepromFileLines;
  std::ostream& err = session.console.err;
  err << "Error: " << path << " is incomplete: " << result.linesWritten << " of " << total
      << " lines";
  const char* group = kind == DumpKind::kDsp ? "page " : "block ";
  if (result.outcome == DumpOutcome::kReadFailed) {
    err << ", the read of " << group << result.group << ", row " << result.row << ", column "
        << result.column << " failed";
  } else if (result.outcome == DumpOutcome::kCancelled) {
    err << ", interrupted before the read of " << group << result.group << ", row "
        << result.row << ", column " << result.column;
  }
  err << '\n';
}

// A dump the camera does not answer would replace a good earlier file with a stub: the target
// is not touched until the camera has answered once.
bool cameraAnswers(CliSession& session, DumpKind kind, const std::string& path) {
  CameraLink& link = session.link;
  if (kind == DumpKind::kDsp ? DspSettingsReadable(link) : EepromReadable(link)) return true;
  session.console.err << "Error: nothing written to " << path << ": the camera did not answer\n";
  return false;
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
  const InterruptCatcher interrupts;
  if (!cameraAnswers(session, kind, path)) return kExitFailed;
  // Stopped before the file was touched: the earlier one stays as it was.
  if (interrupts.Caught() != 0) return InterruptedExitCode(interrupts.Caught());
  const DumpStop stop = [&interrupts] { return interrupts.Caught() != 0; };
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
          ? WriteDspSettingsFile(session.link, session.host, path, progress, stop)
          : WriteEepromDumpFile(session.link, session.host, path, progress, stop);
  session.host.EndProgress();
  // The writer has said why it could not open the file; there is no file to speak of then.
  if (!result.Complete() && result.outcome != DumpOutcome::kOpenFailed) {
    reportIncomplete(session, kind, path, result);
  }
  // A signal that came after the last read still asks the script around us to stop.
  if (interrupts.Caught() != 0) return InterruptedExitCode(interrupts.Caught());
  return result.Complete() ? kExitDone : kExitFailed;
}

}  // namespace torvix
