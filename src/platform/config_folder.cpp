#include "platform/config_folder.h"

#include <cstdlib>

namespace {

bool Absolute(const char* folder) {
  return folder != nullptr && folder[0] == '/';
}

// The XDG rules count an empty or relative variable as unset.
std::filesystem::path XdgHome(const char* variable, const char* home, const char* underHome) {
  if (Absolute(variable)) {
    return variable;
  }
  if (Absolute(home)) {
    return std::filesystem::path(home) / underHome;
  }
  return {};
}

std::filesystem::path ConfigFile(const char* name) {
  const std::filesystem::path home =
      ConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return home.empty() ? home : home / "astorine" / name;
}

}  // namespace

std::filesystem::path ConfigHome(const char* xdgConfigHome, const char* home) {
  return XdgHome(xdgConfigHome, home, ".config");
}

std::filesystem::path StateHome(const char* xdgStateHome, const char* home) {
  return XdgHome(xdgStateHome, home, ".local/state");
}

std::filesystem::path DataHome(const char* xdgDataHome, const char* home) {
  return XdgHome(xdgDataHome, home, ".local/share");
}

std::filesystem::path SettingsFilePath() {
  return ConfigFile("settings.conf");
}

std::filesystem::path RecordsFilePath() {
  const std::filesystem::path home = DataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  return home.empty() ? home : home / "astorine" / "records.conf";
}

std::filesystem::path ControlsFilePath() {
  return ConfigFile("controls.conf");
}

std::filesystem::path PadMappingsFilePath() {
  return ConfigFile("gamecontrollerdb.txt");
}

std::filesystem::path ReplaysFolderPath() {
  const std::filesystem::path home = StateHome(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  return home.empty() ? home : home / "astorine" / "replays";
}

std::filesystem::path RecordReplaysFolderPath() {
  const std::filesystem::path replays = ReplaysFolderPath();
  return replays.empty() ? replays : replays / "records";
}
