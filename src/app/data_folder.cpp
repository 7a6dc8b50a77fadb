// The Data folder: ./Data when the game runs from a folder holding it, else Data beside the
// executable, unless a folder was set explicitly.
#include "app/data_folder.h"

#include <filesystem>
#include <system_error>

namespace {

std::string chosenFolder = "Data";
bool folderSet = false;

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error && argv0 != nullptr) {
    executable = std::filesystem::absolute(argv0, error);
  }
  return error ? std::filesystem::path() : executable.parent_path();
}

}  // namespace

void SetDataFolder(const std::string& folder) {
  folderSet = !folder.empty();
  chosenFolder = folderSet ? folder : "Data";
}

void FindDataFolder(const char* argv0) {
  if (folderSet) {
    return;
  }
  std::error_code error;
  if (std::filesystem::is_directory("Data", error)) {
    chosenFolder = "Data";
    return;
  }
  std::filesystem::path beside = ExecutableFolder(argv0) / "Data";
  // With neither, the loads fail one by one and each says which file it missed.
  chosenFolder = std::filesystem::is_directory(beside, error) ? beside.string() : "Data";
}

std::string DataPath(const char* fileName) {
  return chosenFolder + "/" + fileName;
}
