// The settings file's keys, section by section: the values each takes and how each is written.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "settings/settings.h"

struct SettingKey {
  std::string_view section;  // the section's name, without its brackets
  std::string_view name;
  const char* (*takes)();  // the values it takes, for complaints, in the player's language
  const char* hint;        // the comment the written file puts above it
  // Applies the value's text; false, the settings untouched, when the key does not take it.
  bool (*read)(std::string_view value, Settings& settings);
  std::string (*written)(const Settings& settings);
};

// "KEY = VALUE" for the settings' value of the key; "KEY =" for an empty one.
std::string SettingEntry(const SettingKey& key, const Settings& settings);

// Every key in the order the written file holds them, each section's keys together.
std::span<const SettingKey> SettingKeys();
// The known section of that name, in its own spelling; empty when unknown. Names of sections and
// keys compare without regard to case.
std::string_view SettingsSectionNamed(std::string_view name);
// nullptr when the section has no such key.
const SettingKey* SettingKeyNamed(std::string_view section, std::string_view name);
// The section's keys as a complaint lists them: "volume, music, effects, mute".
std::string KeysOf(std::string_view section);
// Names compared as ASCII without regard to case; the file's words are all ASCII.
bool SameWord(std::string_view a, std::string_view b);
