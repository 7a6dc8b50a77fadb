// The table of the settings file's keys and the readers and writers of their values.
#include "settings/setting_keys.h"

#include <array>
#include <charconv>
#include <optional>

#include "services/texts.h"

namespace {

// Plain decimal digits only: no sign, no blanks, no other base.
std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  int number = 0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || number < low || number > high) {
    return std::nullopt;
  }
  return number;
}

// The index of the word in `words` that the text is, or nullopt.
template <size_t Count>
std::optional<size_t> WordOf(std::string_view text,
                             const std::array<std::string_view, Count>& words) {
  for (size_t i = 0; i < Count; ++i) {
    if (SameWord(text, words[i])) {
      return i;
    }
  }
  return std::nullopt;
}

constexpr std::array<std::string_view, 3> FullScreenWords = {"ask", "yes", "no"};
constexpr std::array<std::string_view, 2> YesNo = {"no", "yes"};
constexpr std::array<std::string_view, 3> LanguageWords = {"auto", "en", "ja"};

bool ReadFullScreen(std::string_view value, Settings& settings) {
  const std::optional<size_t> word = WordOf(value, FullScreenWords);
  if (word) {
    settings.fullScreen = static_cast<FullScreenSetting>(*word);
  }
  return word.has_value();
}

bool ReadScale(std::string_view value, Settings& settings) {
  const std::optional<int> scale =
      SameWord(value, "auto") ? 0 : WholeNumber(value, 1, LargestWindowScale);
  if (scale) {
    settings.scale = *scale;
  }
  return scale.has_value();
}

template <int Settings::*percent>
bool ReadPercent(std::string_view value, Settings& settings) {
  const std::optional<int> number = WholeNumber(value, 0, FullVolume);
  if (number) {
    settings.*percent = *number;
  }
  return number.has_value();
}

bool ReadMute(std::string_view value, Settings& settings) {
  const std::optional<size_t> word = WordOf(value, YesNo);
  if (word) {
    settings.mute = *word == 1;
  }
  return word.has_value();
}

bool ReadLanguage(std::string_view value, Settings& settings) {
  const std::optional<size_t> word = WordOf(value, LanguageWords);
  if (word) {
    settings.language = static_cast<LanguageSetting>(*word);
  }
  return word.has_value();
}

// A host name or IPv4 address, then perhaps ":PORT".
bool IsLobby(std::string_view text) {
  const size_t colon = text.find(':');
  const std::string_view host = text.substr(0, colon);
  constexpr std::string_view HostCharacters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_";
  return !host.empty() && host.find_first_not_of(HostCharacters) == std::string_view::npos &&
         (colon == std::string_view::npos || WholeNumber(text.substr(colon + 1), 1, 65535));
}

bool ReadLobby(std::string_view value, Settings& settings) {
  if (!value.empty() && !IsLobby(value)) {
    return false;
  }
  settings.lobby = value;
  return true;
}

std::string WrittenFullScreen(const Settings& settings) {
  return std::string(FullScreenWords[static_cast<size_t>(settings.fullScreen)]);
}
std::string WrittenScale(const Settings& settings) {
  return settings.scale == 0 ? "auto" : std::to_string(settings.scale);
}
template <int Settings::*percent>
std::string WrittenPercent(const Settings& settings) {
  return std::to_string(settings.*percent);
}
std::string WrittenMute(const Settings& settings) {
  return std::string(YesNo[settings.mute ? 1 : 0]);
}
std::string WrittenLanguage(const Settings& settings) {
  return std::string(LanguageWords[static_cast<size_t>(settings.language)]);
}
std::string WrittenLobby(const Settings& settings) {
  return settings.lobby;
}

// What a key takes is a function, so that each text stands in a Tr call of its own, where the
// catalogs' gatherer finds it.
const char* TakesPercent() {
  return Tr("a whole number from 0 to 100");
}

const std::array<SettingKey, 8> Keys = {{
    {"display", "fullscreen", [] { return Tr("ask, yes or no"); },
     "ask: the question at start; yes: full screen; no: a window", ReadFullScreen,
     WrittenFullScreen},
    {"display", "scale", [] { return Tr("auto or a whole number from 1 to 8"); },
     "the window's size in multiples of 640 x 480, 1 to 8; auto: the largest that fits", ReadScale,
     WrittenScale},
    {"sound", "volume", TakesPercent, "the loudness of everything in percent, 0 to 100",
     ReadPercent<&Settings::volume>, WrittenPercent<&Settings::volume>},
    {"sound", "music", TakesPercent, "the tunes' loudness in percent, 0 to 100",
     ReadPercent<&Settings::music>, WrittenPercent<&Settings::music>},
    {"sound", "effects", TakesPercent, "the sound effects' loudness in percent, 0 to 100",
     ReadPercent<&Settings::effects>, WrittenPercent<&Settings::effects>},
    {"sound", "mute", [] { return Tr("yes or no"); }, "yes: silence, whatever the loudness above",
     ReadMute, WrittenMute},
    {"language", "language", [] { return Tr("auto, en or ja"); },
     "en: English; ja: Japanese; auto: the language of the locale", ReadLanguage, WrittenLanguage},
    {"online", "lobby", [] { return Tr("HOST or HOST:PORT (a port from 1 to 65535), or nothing"); },
     "the online lobby's address, HOST or HOST:PORT; nothing: no lobby, play directly", ReadLobby,
     WrittenLobby},
}};

}  // namespace

std::string SettingEntry(const SettingKey& key, const Settings& settings) {
  const std::string value = key.written(settings);
  return std::string(key.name) + (value.empty() ? " =" : " = ") + value;
}

std::span<const SettingKey> SettingKeys() {
  return Keys;
}

bool SameWord(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view SettingsSectionNamed(std::string_view name) {
  for (const SettingKey& key : Keys) {
    if (SameWord(key.section, name)) {
      return key.section;
    }
  }
  return {};
}

const SettingKey* SettingKeyNamed(std::string_view section, std::string_view name) {
  for (const SettingKey& key : Keys) {
    if (key.section == section && SameWord(key.name, name)) {
      return &key;
    }
  }
  return nullptr;
}

std::string KeysOf(std::string_view section) {
  std::string list;
  for (const SettingKey& key : Keys) {
    if (key.section == section) {
      list += (list.empty() ? "" : ", ") + std::string(key.name);
    }
  }
  return list;
}
