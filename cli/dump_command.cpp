// SPDX-License-Identifier: MIT
#include "cli/dump_command.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>

#include "cli/exit_codes.h"
#include "cli/interrupt_catcher.h"
#include "cli/spool_folder.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"

namespace torvix {

namespace {

constexpr int kBarWidth = 40;
constexpr char kStandardOutput[] = "-";

// Where the dump goes: a file by path, as the window writes it, or standard output through a
// spool file, since the writers write to a path.
struct DumpTarget {
  std::string path;               // what the writer opens
  std::string shown;              // what the messages call it
  std::function<void()> deliver;  // after the writer: the spool's bytes to standard output
};

void reportIncomplete(CliSession& session, DumpKind kind, const std::string& shown,
                      const DumpResult& result) {
  const int total = kind == DumpKind::kDsp ? kDspFileLines : kEepromFileLines;
  std::ostream& err = session.console.err;
  err << "Error: " << shown << " is incomplete: " << result.linesWritten << " of " << total
      << " lines";
  const char* group = kind == DumpKind::kDsp ? "page " : "block ";
  if (result.outcome == DumpOutcome::kReadFailed) {
    err << ", the read of " << group << result.group << ", row " << result.row << ", column "
        << result.column << " failed";
  } else if (result.outcome == DumpOutcome::kCancelled) {
    err << ", interrupted before the read of " << group << result.group << ", row " << result.row
        << ", column " << result.column;
  }
  err << '\n';
}

// A dump the camera does not answer would replace a good earlier file with a stub: the target
// is not touched until the camera has answered once.
bool cameraAnswers(CliSession& session, DumpKind kind, const std::string& shown) {
  CameraLink& link = session.link;
  if (kind == DumpKind::kDsp ? DspSettingsReadable(link) : EepromReadable(link)) return true;
  session.console.err << "Error: nothing written to " << shown << ": the camera did not answer\n";
  return false;
}

// The spooled dump, CR LF and all; a text stream adds the CR itself.
void copySpool(const std::filesystem::path& spool, Console& console) {
  std::ifstream file(spool, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  std::string text = bytes.str();
  if (console.outAddsCarriageReturns) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
      text.erase(at, 1);
    }
  }
  console.out << text;
  console.out.flush();
}

int dumpTo(CliSession& session, DumpKind kind, const DumpTarget& target) {
  const InterruptCatcher interrupts;
  if (!cameraAnswers(session, kind, target.shown)) return kExitFailed;
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
          ? WriteDspSettingsFile(session.link, session.host, target.path, progress, stop)
          : WriteEepromDumpFile(session.link, session.host, target.path, progress, stop);
  session.host.EndProgress();
  // The writer has said why it could not open the file; there is no file to speak of then.
  if (result.outcome != DumpOutcome::kOpenFailed) {
    if (target.deliver) target.deliver();
    if (!result.Complete()) reportIncomplete(session, kind, target.shown, result);
  }
  // A signal that came after the last read still asks the script around us to stop.
  if (interrupts.Caught() != 0) return InterruptedExitCode(interrupts.Caught());
  return result.Complete() ? kExitDone : kExitFailed;
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
  if (path != kStandardOutput) return dumpTo(session, kind, {path, path, {}});
  const SpoolFolder spool;
  if (!spool.Made()) {
    session.console.err << "Error: no folder to spool the dump for standard output: "
                        << spool.Problem() << '\n';
    return kExitFailed;
  }
  const std::filesystem::path file = spool.File("dump");
  return dumpTo(session, kind,
                {file.string(), "standard output", [&] { copySpool(file, session.console); }});
}

}  // namespace torvix
