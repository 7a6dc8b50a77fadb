#include "program/write_controls.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "input/controls_file.h"
#include "platform/atomic_file.h"
#include "platform/config_folder.h"
#include "program/controls_loading.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "astorine: %s\n", why.c_str());
  return 1;
}

}  // namespace

int WriteControlsFile(bool force) {
  const fs::path path = ControlsFilePath();
  if (path.empty()) {
    return Fail("no folder for the controls file: set HOME or XDG_CONFIG_HOME to an absolute path");
  }
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  const bool exists = fs::exists(status);
  if (exists && !force) {
    return Fail(path.string() + " exists; --force replaces it");
  }
  Controls controls = DefaultControls();
  if (exists) {
    std::vector<std::string> messages;
    controls = LoadControlsFile(path, messages);
    PrintMessages(messages);
  }
  // A link to a file kept elsewhere (a dotfile manager's) stays a link; its target is replaced.
  fs::path target = path;
  if (fs::is_symlink(status)) {
    const fs::path resolved = fs::weakly_canonical(path, error);
    target = error ? path : resolved;
  }
  std::string why;
  if (!MakeFolders(target.parent_path(), why) ||
      !ReplaceFile(target, ControlsText(controls), why)) {
    return Fail(why);
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
