// The chosen Data folder: ./Data until the start-up search or the headless runner names another.
#include "services/data_path.h"

namespace {

std::string chosenFolder = "Data";
bool folderSet = false;

}  // namespace

void SetDataFolder(const std::string& folder) {
  folderSet = !folder.empty();
  chosenFolder = folderSet ? folder : "Data";
}

void ChooseDataFolder(const std::string& found) {
  if (!folderSet) {
    chosenFolder = found;
  }
}

std::string DataPath(const char* fileName) {
  return chosenFolder + "/" + fileName;
}
