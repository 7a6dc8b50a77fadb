// The settings file: the player's settings as text, read leniently line by line and written in
// full with comments that explain it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

// Reads the text of a settings file over the defaults. Sections [display], [sound], [language]
// and [online] hold lines "KEY = VALUE"; a later line for a key wins. Each bad line adds one
// complaint "FILE:LINE: why" and is skipped; lines under an unknown section are skipped silently,
// so that a later game's additions do not trouble this one.
Settings ReadSettings(std::string_view text, const std::string& fileName,
                      std::vector<std::string>& complaints);

// Every section with every setting, after comments that explain the format; ReadSettings reads
// it back to the same settings without complaint.
std::string SettingsText(const Settings& settings);
