#include "cli/profile_commands.h"

#include <ostream>

#include "cli/exit_codes.h"
#include "cli/settings_commands.h"
#include "profiles/profile_changes.h"
#include "profiles/profile_file.h"
#include "profiles/profile_input.h"
#include "profiles/profile_output.h"

namespace torvix {

int RunProfileSave(CliSession& session, const std::string& path) {
  if (session.link.ReadAllSettings(session.link.Block()) != 0) return kExitFailed;
  const std::string text = ProfileText(session.link.Block());
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

int RunProfileApply(CliSession& session, const std::string& path, bool dryRun) {
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
  int changes = 0;
  for (const ProfileChange& change : ProfileChanges(entries, block)) {
    if (!dryRun && session.link.WriteSetting(change.id, change.after) != 0) {
      session.console.err << "Error: stopped at " << CliSettingOf(change.id).name << "; "
                          << changes << " setting(s) changed before it\n";
      return kExitFailed;
    }
    ++changes;
    session.console.out << SettingLine(change.id, change.after) << " (was "
                        << HexByte(change.before) << ")\n";
  }
  if (dryRun) session.console.err << "Dry run: " << changes << " setting(s) would change\n";
  return kExitDone;
}

}  // namespace torvix
