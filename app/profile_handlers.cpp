// Saving the camera's settings as a profile and applying one: the command-line tool's JSON,
// read and written by the same code.
//
// Applying checks the whole file before it touches anything, shows every change it would make
// and asks once; then it writes only the settings that differ, in table order, each changing
// only the bits its control owns, and brings the panel into line with the camera.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/file_handlers.h"
#include "app/main_dialog.h"
#include "profiles/profile_changes.h"
#include "profiles/profile_file.h"
#include "profiles/profile_input.h"
#include "profiles/profile_output.h"

namespace torvix {

namespace {

constexpr unsigned kMessageQuestion = 0x20;

// Said after the bridge error's own messages: the panel was not touched, so the refresh's
// "default values displayed" would not be true.
constexpr const char* kNotSaved = "The camera could not be read, so no profile was saved.";
constexpr const char* kNotApplied = "The camera could not be read, so nothing was applied.";

// "Contrast (register 0x57): 0x3c -> 0x44", with the panel's words where a value has them.
std::string changeLine(const ProfileChange& change) {
  const auto valueText = [&change](uint8_t value) {
    const std::string words = DescribeValue(change.id, value);
    return HexByte(value) + (words.empty() ? "" : " (" + words + ")");
  };
  const uint8_t reg = kSettingsTable[static_cast<std::size_t>(change.id)].registerAddress;
  return std::string(CliSettingOf(change.id).name) + " (register " + HexByte(reg) +
         "): " + valueText(change.before) + " -> " + valueText(change.after);
}

std::string question(const std::string& path, const std::vector<ProfileChange>& changes) {
  std::string text = "Apply " + path + " to the camera? " + std::to_string(changes.size()) +
                     " setting(s) change:\n";
  for (const ProfileChange& change : changes) text += "\n" + changeLine(change);
  return text;
}

// The whole file, checked; nullopt after its fault has been shown.
std::optional<std::vector<ProfileEntry>> readProfile(const std::string& path,
                                                     DialogWindow& window) {
  std::string text;
  std::string error;
  std::istringstream noStandardInput;
  std::vector<ProfileEntry> entries;
  if (!ReadProfileInput(path, noStandardInput, text, error) ||
      !ParseProfile(text, path, entries, error)) {
    window.MessageBox(error.c_str(), kMessageOk | kMessageExclamation);
    return std::nullopt;
  }
  return entries;
}

}  // namespace

// The camera is read into a copy: the panel and its shadow stay as they are.
void CMyTorvix_ControllerDlg::OnSaveProfile() {
  const std::optional<std::string> path =
      CurrentSaveDialogHost().AskSavePath(ProfileFileRequest());
  if (!path) return;
  CameraBlock camera = m_link.Block();
  if (m_link.ReadAllSettings(camera, kNotSaved) != 0) return;
  std::string error;
  if (!WriteProfileFile(*path, ProfileText(camera), error)) {
    window_.MessageBox(error.c_str(), kMessageOk | kMessageExclamation);
  }
}

void CMyTorvix_ControllerDlg::OnApplyProfile() {
  const std::optional<std::string> path =
      CurrentSaveDialogHost().AskOpenPath(ProfileFileRequest());
  if (!path) return;
  const std::optional<std::vector<ProfileEntry>> entries = readProfile(*path, window_);
  if (!entries) return;
  CameraBlock camera = m_link.Block();
  if (m_link.ReadAllSettings(camera, kNotApplied) != 0) return;
  const std::vector<ProfileChange> changes = ProfileChanges(*entries, camera);
  if (changes.empty()) {
    const std::string text = "The camera already holds every setting of " + *path + ".";
    window_.MessageBox(text.c_str(), kMessageOk);
    return;
  }
  if (window_.MessageBox(question(*path, changes).c_str(), kMessageOkCancel | kMessageQuestion) !=
      kAnswerOk) {
    return;
  }
  // Each value was built on what the camera holds now; the writes start from the same bytes.
  m_link.Block() = camera;
  for (const ProfileChange& change : changes) {
    if (m_link.WriteSetting(change.id, change.after) != 0) break;
  }
  RefreshPanel();
}

}  // namespace torvix
