// The Data folder: ./Data when the game runs from a folder holding it, else the first of the
// installed places that holds one, unless a folder was set explicitly.
#include "platform/data_folder.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "services/data_path.h"

namespace {

// The XDG base directory default for a missing or empty XDG_DATA_DIRS.
constexpr const char* DefaultDataDirs = "/usr/local/share:/usr/share";
// Where an install puts Data under share/: its own folder, or Debian's folder for games.
constexpr const char* BelowShare[] = {"astorine/Data", "games/astorine/Data"};

}  // namespace

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error && argv0 != nullptr) {
    executable = std::filesystem::absolute(argv0, error);
  }
  return error ? std::filesystem::path() : executable.parent_path();
}

std::vector<std::filesystem::path> DataFolderCandidates(
    const std::filesystem::path& executableFolder, const char* xdgDataDirs) {
  std::vector<std::filesystem::path> candidates{"Data"};
  if (!executableFolder.empty()) {
    candidates.push_back(executableFolder / "Data");
    for (const char* below : BelowShare) {
      candidates.push_back(executableFolder / ".." / "share" / below);
    }
  }
  std::string_view dirs =
      xdgDataDirs != nullptr && *xdgDataDirs != '\0' ? xdgDataDirs : DefaultDataDirs;
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    // The XDG base directory rules ignore relative entries; so do we, or the current folder would
    // count.
    if (!dir.empty() && dir.front() == '/') {
      for (const char* below : BelowShare) {
        candidates.push_back(std::filesystem::path(dir) / below);
      }
    }
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
  }
  return candidates;
}

std::filesystem::path FirstDataFolder(const std::vector<std::filesystem::path>& candidates) {
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate, error)) {
      return candidate.lexically_normal();
    }
  }
  return "Data";
}

void FindDataFolder(const char* argv0) {
  ChooseDataFolder(
      FirstDataFolder(DataFolderCandidates(ExecutableFolder(argv0), std::getenv("XDG_DATA_DIRS")))
          .string());
}
