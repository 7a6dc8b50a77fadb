#include "program/controls_loading.h"

#include <cstdio>

#include "input/controls_file.h"
#include "platform/config_folder.h"
#include "platform/player_file.h"
#include "services/formatted.h"
#include "services/texts.h"

Controls LoadControlsFile(const std::filesystem::path& path, std::vector<std::string>& messages) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    return DefaultControls();
  }
  std::string text, why;
  if (!ReadPlayerFile(path, LargestControlsFile, text, why)) {
    messages.push_back(Formatted(Tr("%s: cannot read the controls (%s); the default keys apply"),
                                 path.c_str(), why.c_str()));
    return DefaultControls();
  }
  return ReadControls(text, path.string(), messages);
}

Controls LoadPlayerControls() {
  const std::filesystem::path path = ControlsFilePath();
  if (path.empty()) {
    return DefaultControls();
  }
  std::vector<std::string> messages;
  const Controls controls = LoadControlsFile(path, messages);
  PrintMessages(messages);
  return controls;
}

void PrintMessages(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    std::fprintf(stderr, "astorine: %s\n", message.c_str());
  }
}
