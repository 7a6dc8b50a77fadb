// The player's settings from the settings file, read once at start.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings.h"

// No settings file is that long; a longer one is refused unread rather than parsed.
constexpr size_t LargestSettingsFile = 64 * 1024;

// The file's settings over the defaults, with ReadSettings' complaints. A missing file gives the
// defaults silently; one that cannot be read, is no regular file or is larger than
// LargestSettingsFile gives the defaults and one message.
Settings LoadSettingsFile(const std::filesystem::path& path, std::vector<std::string>& messages);
// The settings of the player's settings file (SettingsFilePath()), each message printed on
// stderr as "astorine: MESSAGE".
Settings LoadPlayerSettings();
