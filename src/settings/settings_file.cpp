// Reading the settings file leniently, line by line, and writing it in full.
#include "settings/settings_file.h"

#include <cstdio>

#include "services/formatted.h"
#include "services/texts.h"
#include "settings/setting_keys.h"
#include "settings/settings_lines.h"

namespace {

// The length of the UTF-8 sequence starting at text[at], 0 when it is not one.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  const size_t length = byte < 0x80                    ? 1
                        : byte >= 0xc2 && byte <= 0xdf ? 2
                        : byte >= 0xe0 && byte <= 0xef ? 3
                        : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                       : 0;
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) {
      return 0;
    }
  }
  return length;
}

// Text from the file fit for one line of a complaint: quoted, control characters and bytes that
// are not UTF-8 escaped as \xNN, shortened past a few dozen characters.
std::string Quoted(std::string_view text) {
  constexpr size_t Longest = 40;
  std::string quoted = "'";
  size_t shown = 0;
  for (size_t at = 0; at < text.size(); ++shown) {
    if (shown == Longest) {
      quoted += "...";
      break;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    const size_t length = Utf8Length(text, at);
    if (length == 0 || byte < 0x20 || byte == 0x7f) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      quoted += escaped;
      ++at;
    } else {
      quoted.append(text.substr(at, length));
      at += length;
    }
  }
  return quoted + "'";
}

// Why the line, which is not blank and stands under no unknown section, is skipped; empty when
// it applies.
std::string Apply(const SettingsLine& line, Settings& settings) {
  using Kind = SettingsLine::Kind;
  const std::string text = Quoted(line.content);
  if (line.kind == Kind::OpenHeader) {
    return Formatted(Tr("%s opens a section without the closing ']'; the lines under it are "
                        "skipped"),
                     text.c_str());
  }
  if (line.kind == Kind::Stray) {
    return Formatted(Tr("%s is neither a [section] header nor KEY = VALUE"), text.c_str());
  }
  if (line.place == SettingsLine::Place::BeforeAnySection) {
    return Formatted(Tr("%s stands before any section ([display], [sound], [language] or "
                        "[online])"),
                     text.c_str());
  }
  const SettingKey* key = SettingKeyNamed(line.section, line.key);
  if (key == nullptr) {
    const std::string section(line.section);
    return Formatted(Tr("unknown setting %s in [%s] (it holds %s)"), Quoted(line.key).c_str(),
                     section.c_str(), KeysOf(line.section).c_str());
  }
  if (!key->read(line.value, settings)) {
    const std::string name(key->name);
    return Formatted(Tr("%s takes %s, not %s"), name.c_str(), key->takes(),
                     Quoted(line.value).c_str());
  }
  return {};
}

constexpr std::string_view Explanation =
    R"(# Astorine's settings: the window, the sound, the language and the online lobby.
#
# Each line under a [section] reads KEY = VALUE; a setting left out keeps its default, and of
# two lines for one setting the later wins. Words may be written in any case (yes, No, AUTO),
# numbers in plain decimal digits. "#" starts a comment. Sections this game does not know are
# skipped, so that a file written by a later game still reads here.
#
# The game keeps this file up to date when the sound or the full-screen answer is changed in
# play: it rewrites only the lines of those settings and leaves the rest, comments too, as they
# are. "astorine --write-settings --force" writes it afresh from the settings it holds.
)";

}  // namespace

Settings ReadSettings(std::string_view text, const std::string& fileName,
                      std::vector<std::string>& complaints) {
  Settings settings;
  int number = 0;
  for (const SettingsLine& line : SettingsLines(text)) {
    ++number;
    const bool skipped = line.kind == SettingsLine::Kind::Blank ||
                         line.kind == SettingsLine::Kind::Header ||
                         (line.place == SettingsLine::Place::UnknownSection &&
                          line.kind != SettingsLine::Kind::OpenHeader);
    if (skipped) {
      continue;
    }
    const std::string why = Apply(line, settings);
    if (!why.empty()) {
      complaints.push_back(fileName + ":" + std::to_string(number) + ": " + why);
    }
  }
  return settings;
}

std::string SettingsText(const Settings& settings) {
  std::string text(Explanation);
  std::string_view section;
  for (const SettingKey& key : SettingKeys()) {
    if (key.section != section) {
      section = key.section;
      text += "\n[" + std::string(section) + "]\n";
    }
    text += "# " + std::string(key.hint) + "\n" + SettingEntry(key, settings) + "\n";
  }
  return text;
}
