// The settings file over generated settings and generated player's files: the written text
// reads back; an update reads back as the settings it was given, keeps the player's comment
// lines in order, and changes nothing when nothing changed.
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_update.h"

namespace {

Settings AnySettings() {
  Settings settings;
  settings.fullScreen =
      *rc::gen::element(FullScreenSetting::Ask, FullScreenSetting::Yes, FullScreenSetting::No);
  settings.scale = *rc::gen::inRange(0, LargestWindowScale + 1);
  settings.volume = *rc::gen::inRange(0, FullVolume + 1);
  settings.music = *rc::gen::element(0, 50, FullVolume);
  settings.effects = *rc::gen::element(0, 99, FullVolume);
  settings.mute = *rc::gen::arbitrary<bool>();
  settings.language =
      *rc::gen::element(LanguageSetting::Auto, LanguageSetting::English, LanguageSetting::Japanese);
  settings.lobby = *rc::gen::element<std::string>("", "example.org", "192.0.2.7:7491", "h:1");
  return settings;
}

// A line of the kinds a player's file holds, well-formed or not, without its end.
std::string AnyLine() {
  const std::string indent = *rc::gen::element<std::string>("", " ", "\t ");
  const std::string comment = *rc::gen::element<std::string>("", " # note", "# x = 1");
  const std::string key = *rc::gen::element<std::string>(
      "fullscreen", "scale", "volume", "Music", "EFFECTS", "mute", "language", "lobby", "size");
  const std::string value = *rc::gen::element<std::string>(
      "", "yes", "No", "ask", "auto", "3", "0", "100", "101", "-1", "en", "ja", "host:7491");
  switch (*rc::gen::inRange(0, 6)) {
    case 0:
      return indent + "# " + key + " = " + value;
    case 1:
      return indent;
    case 2:
      return indent +
             *rc::gen::element<std::string>("[display]", "[Sound]", "[ language ]", "[online]",
                                            "[mine]", "[sound") +
             comment;
    case 3:
      return key + "  " + value;
    default:
      return indent + key + *rc::gen::element<std::string>(" = ", "=", " =\t") + value + comment;
  }
}

std::string AnyFile() {
  const int count = *rc::gen::inRange(0, 30);
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += AnyLine() + *rc::gen::element<std::string>("\n", "\r\n");
  }
  if (*rc::gen::arbitrary<bool>()) {
    text += AnyLine();
  }
  return text;
}

std::vector<std::string> CommentLines(const std::string& text) {
  std::vector<std::string> comments;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    // Without its end: a last line without one may be given the file's.
    const size_t length = end > at && text[end - 1] == '\r' ? end - at - 1 : end - at;
    const std::string line = text.substr(at, length);
    if (line.find_first_not_of(" \t") != std::string::npos &&
        line[line.find_first_not_of(" \t")] == '#') {
      comments.push_back(line);
    }
    at = end + 1;
  }
  return comments;
}

RC_GTEST_PROP(SettingsProperties, TheWrittenTextReadsBack, ()) {
  const Settings settings = AnySettings();
  std::vector<std::string> complaints;
  RC_ASSERT(ReadSettings(SettingsText(settings), "settings.conf", complaints) == settings);
  RC_ASSERT(complaints.empty());
}

RC_GTEST_PROP(SettingsProperties, AnUpdateReadsBackAndKeepsThePlayersComments, ()) {
  const std::string original = AnyFile();
  const Settings settings = AnySettings();
  const std::string updated = UpdatedSettingsText(original, settings);
  std::vector<std::string> complaints;
  RC_ASSERT(ReadSettings(updated, "settings.conf", complaints) == settings);
  // Comments in order, each line whole but for its end.
  const std::vector<std::string> before = CommentLines(original), after = CommentLines(updated);
  RC_ASSERT(before == after);
  RC_ASSERT(UpdatedSettingsText(updated, settings) == updated);
}

}  // namespace
