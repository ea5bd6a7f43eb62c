// SPDX-License-Identifier: MIT
#include "sim/stale_state_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "sim/camera_state_file.h"

namespace torvix {

namespace {

namespace fs = std::filesystem;

using FileId = std::pair<dev_t, ino_t>;

struct Leftover {
  std::string path;
  FileId id;
};

// Calls visit with every entry of folder that can be read; a folder that cannot, or whose
// entries vanish while it is read (a process that ends), gives what it gave until then.
template <typename Visit>
void ForEachEntry(const fs::path& folder, Visit visit) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    visit(it->path());
  }
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

// statePath's name, the suffix's fixed part and as many letters and digits as mkostemp puts in
// for the Xs.
bool IsTemporaryName(const std::string& name, const std::string& stateName) {
  const std::string_view suffix = kStateTemporarySuffix;
  const std::size_t random = suffix.size() - suffix.find('X');
  const std::string prefix = stateName + std::string(suffix.substr(0, suffix.size() - random));
  if (name.size() != prefix.size() + random || !name.starts_with(prefix)) return false;
  return std::all_of(name.end() - static_cast<std::ptrdiff_t>(random), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Nothing yet (killed before its write), or what a save writes: a whole state file.
bool WrittenBySave(const fs::path& path, const struct stat& info) {
  CameraState state;
  std::string error;
  return info.st_size == 0 || LoadCameraState(path.string(), state, error) == StateLoad::kLoaded;
}

std::vector<Leftover> Candidates(const fs::path& state) {
  const fs::path folder = state.has_parent_path() ? state.parent_path() : fs::path(".");
  const std::string stateName = state.filename().string();
  std::vector<Leftover> found;
  ForEachEntry(folder, [&](const fs::path& path) {
    if (!IsTemporaryName(path.filename().string(), stateName)) return;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        WrittenBySave(path, info)) {
      found.push_back({path.string(), {info.st_dev, info.st_ino}});
    }
  });
  return found;
}

// The candidates some process has open, from every /proc/PID/fd this user may read: the
// processes of the user who owns the files. false when /proc cannot be read at all.
bool MarkOpen(const std::vector<Leftover>& candidates, std::vector<bool>& open) {
  struct stat proc {};
  if (::stat("/proc/self/fd", &proc) != 0) return false;
  ForEachEntry("/proc", [&](const fs::path& process) {
    if (!AllDigits(process.filename().string())) return;
    ForEachEntry(process / "fd", [&](const fs::path& fd) {
      struct stat info {};
      if (::stat(fd.c_str(), &info) != 0) return;
      for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].id == FileId{info.st_dev, info.st_ino}) open[i] = true;
      }
    });
  });
  return true;
}

}  // namespace

std::vector<std::string> RemoveStaleStateFiles(const std::string& statePath) {
  const std::vector<Leftover> candidates = Candidates(statePath);
  std::vector<bool> open(candidates.size(), false);
  if (candidates.empty() || !MarkOpen(candidates, open)) return {};
  std::vector<std::string> removed;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (open[i]) continue;
    // Nobody creates a file under an existing temporary name, so an unopened one stays unopened.
    struct stat info {};
    if (::lstat(candidates[i].path.c_str(), &info) == 0 &&
        FileId{info.st_dev, info.st_ino} == candidates[i].id &&
        ::unlink(candidates[i].path.c_str()) == 0) {
      removed.push_back(candidates[i].path);
    }
  }
  return removed;
}

}  // namespace torvix
