// SPDX-License-Identifier: MIT
// Saving the camera's settings as a profile and applying one: the command-line tool's JSON,
// read and written by the same code.
//
// Applying checks the whole file before it touches anything, shows every change it would make
// and asks once; then it writes only the settings that differ, in table order, each changing
// only the bits its control owns, and brings the panel into line with the camera. The camera's
// address, OSD mode and Push2White are left out of a saved profile; a file that would change
// them lists them apart in the question, with a check box that writes them too.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/file_handlers.h"
#include "app/main_dialog.h"
#include "profiles/profile_changes.h"
#include "profiles/profile_file.h"
#include "profiles/profile_input.h"
#include "profiles/profile_output.h"
#include "window/check_question.h"

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
  const uint8_t reg = SettingRow(change.id).registerAddress;
  return std::string(CliSettingOf(change.id).name) + " (register " + HexByte(reg) +
         "): " + valueText(change.before) + " -> " + valueText(change.after);
}

constexpr char kHeldBackCaption[] = "Also write CameraAddress, OsdControl and PushToWhite";

std::string question(const std::string& path, const std::vector<ProfileChange>& changes,
                     const std::vector<ProfileChange>& heldBack) {
  std::string text = "Apply " + path + " to the camera? " + std::to_string(changes.size()) +
                     " setting(s) change:\n";
  for (const ProfileChange& change : changes) text += "\n" + changeLine(change);
  if (heldBack.empty()) return text;
  text +=
      "\n\nThe file also sets the camera's own address, OSD mode or Push2White;\n"
      "they are written only when the box below is checked:\n";
  for (const ProfileChange& change : heldBack) text += "\n" + changeLine(change);
  return text;
}

// Asks once: the changes to write, or nullopt when the user said no.
std::optional<std::vector<ProfileChange>> confirmedChanges(const std::string& path,
                                                           const std::vector<ProfileChange>& all,
                                                           DialogWindow& window, ModalHost* host,
                                                           MessageHost& messages) {
  std::vector<ProfileChange> changes = HeldBackChanges(all, false);
  const std::vector<ProfileChange> heldBack = HeldBackChanges(all, true);
  const std::string text = question(path, changes, heldBack);
  if (heldBack.empty()) {
    if (window.MessageBox(text.c_str(), kMessageOkCancel | kMessageQuestion) != kAnswerOk) {
      return std::nullopt;
    }
    return changes;
  }
  if (host == nullptr) return std::nullopt;
  const CheckQuestionAnswer answer =
      AskCheckQuestion(*host, messages, {kApplicationName, text, kHeldBackCaption});
  if (answer.answer != kAnswerOk) return std::nullopt;
  return answer.checked ? all : changes;
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
  const std::optional<std::string> path = CurrentSaveDialogHost().AskSavePath(ProfileFileRequest());
  if (!path) return;
  CameraBlock camera = m_link.Block();
  if (m_link.ReadAllSettings(camera, kNotSaved) != 0) return;
  std::string error;
  if (!WriteProfileFile(*path, ProfileText(camera, false), error)) {
    window_.MessageBox(error.c_str(), kMessageOk | kMessageExclamation);
    return;
  }
  std::string warnings;
  for (const std::string& warning : OutOfRangeWarnings(camera, false)) {
    warnings += (warnings.empty() ? "" : "\n") + warning;
  }
  if (!warnings.empty()) window_.MessageBox(warnings.c_str(), kMessageOk | kMessageExclamation);
}

void CMyTorvix_ControllerDlg::OnApplyProfile() {
  const std::optional<std::string> path = CurrentSaveDialogHost().AskOpenPath(ProfileFileRequest());
  if (!path) return;
  const std::optional<std::vector<ProfileEntry>> entries = readProfile(*path, window_);
  if (!entries) return;
  CameraBlock camera = m_link.Block();
  if (m_link.ReadAllSettings(camera, kNotApplied) != 0) return;
  const std::vector<ProfileChange> all = ProfileChanges(*entries, camera);
  // The question may offer every change, the held-back ones with its box.
  std::string fault;
  if (!ChangesInRange(all, fault)) {
    window_.MessageBox(fault.c_str(), kMessageOk | kMessageExclamation);
    return;
  }
  if (all.empty()) {
    const std::string text = "The camera already holds every setting of " + *path + ".";
    window_.MessageBox(text.c_str(), kMessageOk);
    return;
  }
  const std::optional<std::vector<ProfileChange>> changes =
      confirmedChanges(*path, all, window_, Host(), m_link.Messages());
  if (!changes) return;
  // Each value was built on what the camera holds now; the writes start from the same bytes.
  m_link.Block() = camera;
  for (const ProfileChange& change : *changes) {
    if (m_link.WriteSetting(change.id, change.after) != 0) break;
  }
  RefreshPanel();
}

}  // namespace torvix
