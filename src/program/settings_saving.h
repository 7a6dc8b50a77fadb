// The player's settings saved when they change in play (the sound, the full-screen answer).
#pragma once

#include "settings/settings.h"

// Rewrites the settings file (SettingsFilePath()) with UpdatedSettingsText over its current
// text, the player's own lines kept; writes nothing when no setting differs from the file's.
// On failure says why on stderr, the first time in the run only, and returns false: the file is
// left as it was.
bool SavePlayerSettings(const Settings& settings);
