// Where the player's own files live, by the XDG base directory rules.
#pragma once
#include <filesystem>

// xdgConfigHome when it is an absolute folder, else home/.config; empty when home is not absolute
// either. The rules count an empty or relative XDG_CONFIG_HOME as unset.
std::filesystem::path ConfigHome(const char* xdgConfigHome, const char* home);
// xdgStateHome when it is an absolute folder, else home/.local/state; empty as above.
std::filesystem::path StateHome(const char* xdgStateHome, const char* home);
// xdgDataHome when it is an absolute folder, else home/.local/share; empty as above.
std::filesystem::path DataHome(const char* xdgDataHome, const char* home);
// CONFIG_HOME/astorine/settings.conf, the player's remembered settings; empty as above.
std::filesystem::path SettingsFilePath();
// DATA_HOME/astorine/records.conf, the best games' tables; empty as above.
std::filesystem::path RecordsFilePath();
// CONFIG_HOME/astorine/controls.conf, from XDG_CONFIG_HOME and HOME; empty without either.
std::filesystem::path ControlsFilePath();
// CONFIG_HOME/astorine/gamecontrollerdb.txt, the player's gamepad mappings; empty as above.
std::filesystem::path PadMappingsFilePath();
// STATE_HOME/astorine/replays, where every game played in the window is kept; empty as above.
std::filesystem::path ReplaysFolderPath();
// The replays folder's records/, where the replay of each game in the records is kept out of the
// newest-50 rotation; empty as above.
std::filesystem::path RecordReplaysFolderPath();
