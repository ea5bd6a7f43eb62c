#include "cli/profile_commands.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "cli/exit_codes.h"
#include "cli/profile_file.h"
#include "cli/profile_input.h"
#include "cli/settings_commands.h"

namespace torvix {

namespace {

bool writeWholeFile(const std::string& path, const std::string& text, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file << text;
  if (file) file.close();
  if (!file) {
    error = "Error: cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

int RunProfileSave(CliSession& session, const std::string& path) {
  if (session.link.ReadAllSettings(session.link.Block()) != 0) return kExitFailed;
  const std::string text = ProfileText(session.link.Block());
  if (path == "-") {
    session.console.out << text;
    return kExitDone;
  }
  std::string error;
  if (!writeWholeFile(path, text, error)) {
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
  for (const ProfileEntry& entry : entries) {
    const uint8_t current = block.SettingsShadow[entry.id];
    const uint8_t wanted = ApplyRequest(current, entry.request);
    if (wanted == current) continue;
    if (!dryRun && session.link.WriteSetting(entry.id, wanted) != 0) {
      session.console.err << "Error: stopped at " << CliSettingOf(entry.id).name << "; "
                          << changes << " setting(s) changed before it\n";
      return kExitFailed;
    }
    ++changes;
    session.console.out << SettingLine(entry.id, wanted) << " (was " << HexByte(current) << ")\n";
  }
  if (dryRun) session.console.err << "Dry run: " << changes << " setting(s) would change\n";
  return kExitDone;
}

}  // namespace torvix
