#include "program/settings_saving.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/config_folder.h"
#include "platform/player_file.h"
#include "program/settings_loading.h"
#include "services/formatted.h"
#include "services/texts.h"
#include "settings/settings_update.h"

namespace {

// The player hears of a file that cannot be saved once, not at every change of the volume.
bool failureTold = false;

bool Failed(const std::string& why) {
  if (!failureTold) {
    failureTold = true;
    std::fprintf(stderr, "astorine: %s\n",
                 Formatted(Tr("the settings could not be saved (%s)"), why.c_str()).c_str());
  }
  return false;
}

}  // namespace

bool SavePlayerSettings(const Settings& settings) {
  const std::filesystem::path path = SettingsFilePath();
  if (path.empty()) {
    return Failed(
        Tr("no folder for the settings file: set HOME or XDG_CONFIG_HOME to an absolute path"));
  }
  // A file that cannot be read is not replaced: the player's lines in it would be lost.
  std::string text, why;
  std::error_code error;
  if (std::filesystem::exists(path, error) &&
      !ReadPlayerFile(path, LargestSettingsFile, text, why)) {
    return Failed(path.string() + ": " + why);
  }
  const std::string updated = UpdatedSettingsText(text, settings);
  if (updated != text && !WritePlayerFile(path, updated, why)) {
    return Failed(why);
  }
  return true;
}
