// --write-controls: the keys in use with the file's explanation, keeping an existing file's keys.
#include "program/write_controls.h"

#include "input/controls_file.h"
#include "platform/config_folder.h"
#include "program/controls_loading.h"
#include "program/fresh_file.h"
#include "services/texts.h"

int WriteControlsFile(bool force) {
  const std::filesystem::path path = ControlsFilePath();
  return WriteFreshFile(
      path, force,
      Tr("no folder for the controls file: set HOME or XDG_CONFIG_HOME to an absolute path"),
      [&path](bool exists) {
        Controls controls = DefaultControls();
        if (exists) {
          std::vector<std::string> messages;
          controls = LoadControlsFile(path, messages);
          PrintMessages(messages);
        }
        return ControlsText(controls);
      });
}
