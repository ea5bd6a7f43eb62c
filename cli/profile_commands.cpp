// SPDX-License-Identifier: MIT
#include "cli/profile_commands.h"

#include <ostream>

#include "cli/exit_codes.h"
#include "cli/setting_writes.h"
#include "cli/settings_commands.h"
#include "profiles/profile_changes.h"
#include "profiles/profile_file.h"
#include "profiles/profile_input.h"
#include "profiles/profile_output.h"

namespace torvix {

namespace {

// The held-back settings the profile would change, said once.
void tellSkipped(CliSession& session, const std::string& path,
                 const std::vector<ProfileChange>& skipped) {
  if (skipped.empty()) return;
  std::ostream& err = session.console.err;
  err << "Left alone: " << path << " also sets ";
  for (std::size_t i = 0; i < skipped.size(); ++i) {
    err << (i > 0 ? ", " : "") << CliSettingOf(skipped[i].id).name;
  }
  err << " (--with-address writes them)\n";
}

std::string changeLine(const ProfileChange& change) {
  return SettingLine(change.id, change.after) + " (was " + HexByte(change.before) + ")";
}

}  // namespace

int RunProfileSave(CliSession& session, const std::string& path, bool withHeldBack) {
  CameraBlock& block = session.link.Block();
  if (session.link.ReadAllSettings(block) != 0) return kExitFailed;
  for (const std::string& warning : OutOfRangeWarnings(block, withHeldBack)) {
    session.console.err << warning << '\n';
  }
  const std::string text = ProfileText(block, withHeldBack);
  if (path == "-") {
    session.console.out << text;
    return kExitDone;
  }
  std::string error;
  if (!WriteProfileFile(path, text, error)) {
    session.console.err << error << '\n';
    return kExitFailed;
  }
  return kExitDone;
}

int RunProfileApply(CliSession& session, const std::string& path, bool dryRun, bool withHeldBack) {
  std::string text;
  std::string error;
  if (!ReadProfileInput(path, session.console.in, text, error)) {
    session.console.err << error << '\n';
    return kExitFailed;
  }
  std::vector<ProfileEntry> entries;
  if (!ParseProfile(text, path, entries, error)) {
    session.console.err << error << '\n';
    return kExitUsage;
  }
  CameraBlock& block = session.link.Block();
  if (session.link.ReadAllSettings(block) != 0) return kExitFailed;
  const std::vector<ProfileChange> all = ProfileChanges(entries, block);
  const std::vector<ProfileChange> toWrite = withHeldBack ? all : HeldBackChanges(all, false);
  if (!ChangesInRange(toWrite, error)) {
    session.console.err << error << '\n';
    return kExitUsage;
  }
  if (!withHeldBack) tellSkipped(session, path, HeldBackChanges(all, true));
  if (dryRun) {
    for (const ProfileChange& change : toWrite) session.console.out << changeLine(change) << '\n';
    session.console.err << "Dry run: " << toWrite.size() << " setting(s) would change\n";
    return kExitDone;
  }
  SettingWrites writes(session);
  for (const ProfileChange& change : toWrite) {
    if (writes.Write(change.id, change.after, changeLine(change))) continue;
    if (writes.Code() == kExitFailed) {
      session.console.err << "Error: stopped at " << CliSettingOf(change.id).name << "; "
                          << writes.Written() << " setting(s) changed before it\n";
    }
    return writes.Code();
  }
  return writes.Code();
}

}  // namespace torvix
