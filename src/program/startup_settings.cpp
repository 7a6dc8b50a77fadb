// The start's choices, the command line first, the settings file second.
#include "program/startup_settings.h"

#include "platform/message_box.h"
#include "program/settings_saving.h"

Language SettingsLanguage(LanguageSetting setting, Language localeLanguage) {
  switch (setting) {
    case LanguageSetting::English:
      return Language::English;
    case LanguageSetting::Japanese:
      return Language::Japanese;
    case LanguageSetting::Auto:
      break;
  }
  return localeLanguage;
}

std::optional<bool> FullScreenWithoutAsking(FullScreenAnswer commandLine,
                                            FullScreenSetting setting) {
  if (commandLine != FullScreenAnswer::Ask) {
    return commandLine == FullScreenAnswer::Yes;
  }
  if (setting != FullScreenSetting::Ask) {
    return setting == FullScreenSetting::Yes;
  }
  return std::nullopt;
}

int WindowScale(int commandLine, const Settings& settings) {
  return commandLine != 0 ? commandLine : settings.scale;
}

bool AskFullScreenAndRemember(Settings& settings) {
  const FullScreenReply reply = AskFullScreen();
  const bool fullScreen = reply == FullScreenReply::Yes || reply == FullScreenReply::AlwaysYes;
  if (reply == FullScreenReply::AlwaysYes || reply == FullScreenReply::AlwaysNo) {
    settings.fullScreen = fullScreen ? FullScreenSetting::Yes : FullScreenSetting::No;
    SavePlayerSettings(settings);
  }
  return fullScreen;
}
