// --write-settings: every setting with its explanation, keeping the values of an existing file.
#include "program/write_settings.h"

#include "platform/config_folder.h"
#include "program/controls_loading.h"
#include "program/fresh_file.h"
#include "program/settings_loading.h"
#include "services/texts.h"
#include "settings/settings_file.h"

int WriteSettingsFile(bool force) {
  const std::filesystem::path path = SettingsFilePath();
  return WriteFreshFile(
      path, force,
      Tr("no folder for the settings file: set HOME or XDG_CONFIG_HOME to an absolute path"),
      [&path](bool exists) {
        Settings settings;
        if (exists) {
          std::vector<std::string> messages;
          settings = LoadSettingsFile(path, messages);
          PrintMessages(messages);
        }
        return SettingsText(settings);
      });
}
