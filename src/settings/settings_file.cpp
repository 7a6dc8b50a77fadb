// Reading the settings file leniently, line by line, and writing it in full.
#include "settings/settings_file.h"

#include "services/file_text.h"
#include "services/formatted.h"
#include "services/texts.h"
#include "settings/setting_keys.h"
#include "settings/settings_lines.h"

namespace {

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
