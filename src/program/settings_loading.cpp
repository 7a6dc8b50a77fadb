#include "program/settings_loading.h"

#include "platform/config_folder.h"
#include "platform/player_file.h"
#include "program/controls_loading.h"
#include "services/formatted.h"
#include "services/texts.h"
#include "settings/settings_file.h"

Settings LoadSettingsFile(const std::filesystem::path& path, std::vector<std::string>& messages) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    return Settings();
  }
  std::string text, why;
  if (!ReadPlayerFile(path, LargestSettingsFile, text, why)) {
    messages.push_back(Formatted(Tr("%s: the settings could not be read (%s); the defaults apply"),
                                 path.c_str(), why.c_str()));
    return Settings();
  }
  return ReadSettings(text, path.string(), messages);
}

Settings LoadPlayerSettings() {
  const std::filesystem::path path = SettingsFilePath();
  if (path.empty()) {
    return Settings();
  }
  std::vector<std::string> messages;
  const Settings settings = LoadSettingsFile(path, messages);
  PrintMessages(messages);
  return settings;
}
