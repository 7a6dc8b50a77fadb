// What the settings file decides at start, under the command line: the language, full screen
// or the question, and the window's size.
#pragma once
#include <optional>

#include "platform/message_catalog.h"
#include "program/command_line.h"
#include "settings/settings.h"

// The settings' language; auto follows the locale as gettext does.
Language SettingsLanguage(LanguageSetting setting, Language localeLanguage);
// Full screen (true) or in a window (false) as the command line, or else the settings file,
// says; nullopt when neither does and the player is asked.
std::optional<bool> FullScreenWithoutAsking(FullScreenAnswer commandLine,
                                            FullScreenSetting setting);
// The window's scale: the command line's, else the settings file's (0: the largest that fits).
int WindowScale(int commandLine, const Settings& settings);
// Asks the full-screen question; an answer the player asks to keep is saved in the settings
// file, so that the next start does not ask. True for full screen.
bool AskFullScreenAndRemember(Settings& settings);
