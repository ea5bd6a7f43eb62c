// SPDX-License-Identifier: MIT
#include "dumps/register_dump.h"

#include <cstdio>

#include "dumps/data_line.h"
#include "dumps/dump_text_file.h"
#include "dumps/file_cause_codes.h"

namespace torvix {

namespace {

constexpr int kRowsPerGroup = 16;
constexpr std::size_t kMessageSize = 1000;

void showOpenFailure(MessageHost& messages, const std::string& path, unsigned cause) {
  char text[kMessageSize];
  std::snprintf(text, sizeof text, "Can't open file %s, error = %u\n", path.c_str(), cause);
  messages.Show(text, kMessageOk);
}

void showWriteFailure(MessageHost& messages, const std::string& path, unsigned cause) {
  char text[kMessageSize];
  std::snprintf(text, sizeof text, "Can't write file %s: %s, error = %u\n", path.c_str(),
                FileCauseWords(cause), cause);
  messages.Show(text, kMessageOk);
}

// Line ends inside a piece that holds several lines.
int linesInside(std::string_view text) {
  int count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
       at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

std::string joinedLines(const std::vector<std::string>& lines) {
  std::string piece;
  for (const std::string& line : lines) {
    if (!piece.empty()) piece += "\r\n";
    piece += line;
  }
  return piece;
}

// Reads the 16 registers of one row into line, stopping at the first failure or when asked to.
// kComplete when the whole row was read; otherwise the column it ended at goes to lastColumn.
DumpOutcome readRow(CameraLink& link, const DumpLayout& layout, int group, int row,
                    const DumpStop& stop, DataLine& line, int& lastColumn) {
  line.Clear();
  const uint8_t target = layout.target(group);
  for (int column = 0; column < DataLine::kEntries; ++column) {
    lastColumn = column;
    if (stop && stop()) return DumpOutcome::kCancelled;
    const auto offset = static_cast<uint8_t>(row * DataLine::kEntries + column);
    uint8_t value = 0;
    if (link.ReadRegister(layout.subAddress, target, offset, link.Block(), &value) != 0) {
      return DumpOutcome::kReadFailed;
    }
    line.Set(column, value);
  }
  return DumpOutcome::kComplete;
}

class DumpRun {
 public:
  DumpRun(MessageHost& messages, const std::string& path) : messages_(messages), path_(path) {}

  bool Open() {
    if (file_.Open(path_)) return true;
    result_.outcome = DumpOutcome::kOpenFailed;
    result_.cause = file_.Cause();
    showOpenFailure(messages_, path_, result_.cause);
    return false;
  }

  bool Write(std::string_view text) {
    if (file_.WriteLine(text)) {
      result_.linesWritten += 1 + linesInside(text);
      return true;
    }
    writeFailed();
    return false;
  }

  void RowCut(DumpOutcome outcome, int group, int row, int column) {
    result_.outcome = outcome;
    result_.group = group;
    result_.row = row;
    result_.column = column;
  }

  DumpResult Finish() {
    if (!file_.Close() && result_.outcome != DumpOutcome::kWriteFailed) writeFailed();
    return result_;
  }

 private:
  void writeFailed() {
    result_.outcome = DumpOutcome::kWriteFailed;
    result_.cause = file_.Cause();
    file_.Close();
    showWriteFailure(messages_, path_, result_.cause);
  }

  MessageHost& messages_;
  const std::string& path_;
  DumpTextFile file_;
  DumpResult result_;
};

}  // namespace

DumpResult WriteRegisterDump(CameraLink& link, MessageHost& messages, const std::string& path,
                             const DumpLayout& layout, const DumpProgress& progress,
                             const DumpStop& stop) {
  DumpRun run(messages, path);
  if (!run.Open()) return run.Finish();
  if (!run.Write(layout.header)) return run.Finish();
  const int rowsTotal = layout.groups * kRowsPerGroup;
  DataLine line;
  for (int group = 0; group < layout.groups; ++group) {
    if (!run.Write(joinedLines(layout.titleLines(group)))) return run.Finish();
    for (int row = 0; row < kRowsPerGroup; ++row) {
      int lastColumn = -1;
      const DumpOutcome rowOutcome = readRow(link, layout, group, row, stop, line, lastColumn);
      const bool rowRead = rowOutcome == DumpOutcome::kComplete;
      if (!rowRead) run.RowCut(rowOutcome, group, row, lastColumn);
      if (!run.Write(line.Text())) return run.Finish();
      if (!rowRead) return run.Finish();
      if (progress) progress(group * kRowsPerGroup + row + 1, rowsTotal);
    }
  }
  return run.Finish();
}

bool FirstDumpReadAnswers(CameraLink& link, const DumpLayout& layout) {
  uint8_t value = 0;
  return link.ReadRegister(layout.subAddress, layout.target(0), 0, link.Block(), &value) == 0;
}

}  // namespace torvix
