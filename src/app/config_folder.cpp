#include "app/config_folder.h"

#include <cstdlib>

namespace {

bool Absolute(const char* folder) {
  return folder != nullptr && folder[0] == '/';
}

}  // namespace

std::filesystem::path ConfigHome(const char* xdgConfigHome, const char* home) {
  if (Absolute(xdgConfigHome)) {
    return xdgConfigHome;
  }
  if (Absolute(home)) {
    return std::filesystem::path(home) / ".config";
  }
  return {};
}

namespace {

std::filesystem::path ConfigFile(const char* name) {
  const std::filesystem::path home =
      ConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return home.empty() ? home : home / "astorine" / name;
}

}  // namespace

std::filesystem::path ControlsFilePath() {
  return ConfigFile("controls.conf");
}

std::filesystem::path PadMappingsFilePath() {
  return ConfigFile("gamecontrollerdb.txt");
}
