// The player's settings: how the window opens, how loud the game plays, its language and the
// online lobby, as the settings file holds them.
#pragma once
#include <string>

enum class FullScreenSetting { Ask, Yes, No };
enum class LanguageSetting { Auto, English, Japanese };

constexpr int LargestWindowScale = 8;
constexpr int FullVolume = 100;

struct Settings {
  FullScreenSetting fullScreen = FullScreenSetting::Ask;  // Ask: the question at start
  int scale = 0;  // the window's size in multiples of 640 x 480; 0: the largest that fits
  int volume = FullVolume, music = FullVolume, effects = FullVolume;  // percent
  bool mute = false;
  LanguageSetting language = LanguageSetting::Auto;  // Auto: follow the locale
  std::string lobby;                                 // HOST or HOST:PORT; empty: no lobby
  bool operator==(const Settings&) const = default;
};
