// The settings file's text: what each line sets, what each bad line says, and updating a
// player's file in place (writing it in full: settings_properties_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_update.h"

namespace {

Settings Read(std::string_view text, std::vector<std::string>& complaints) {
  return ReadSettings(text, "settings.conf", complaints);
}

TEST(SettingsFile, ReadsEveryKeyInAnyCaseAndSkipsUnknownSectionsSilently) {
  std::vector<std::string> complaints;
  const Settings settings = Read(
      "# mine\r\n[ Display ]\r\n  FullScreen = No  # asked once\r\nscale = 3\n"
      "[window]\nsize = huge\nnonsense\n[sound]\nvolume = 0\nvolume = 70\nmusic = 007\n"
      "effects = 100\nmute = YES\n[language]\nlanguage = Ja\n[online]\n"
      "lobby = lobby.example.org:7491\n[future\nscale = 5",
      complaints);
  EXPECT_EQ(complaints.size(), 1u) << "only the header without its ']'";
  Settings expected;
  expected.fullScreen = FullScreenSetting::No;
  expected.scale = 3;
  expected.volume = 70;
  expected.music = 7;
  expected.mute = true;
  expected.language = LanguageSetting::Japanese;
  expected.lobby = "lobby.example.org:7491";
  EXPECT_EQ(settings, expected);
}

TEST(SettingsFile, EachBadLineSaysWhyOnceAndTheRestApplies) {
  const std::pair<std::string, std::string> cases[] = {
      {"volume = 5", "settings.conf:1: 'volume = 5' stands before any section"},
      {"[sound]\nvolume 5", "settings.conf:2: 'volume 5' is neither a [section] header nor"},
      {"[sound]\n = 5", "settings.conf:2: '= 5' is neither"},
      {"[sound]\nloud = 5",
       "settings.conf:2: unknown setting 'loud' in [sound] (it holds volume, "
       "music, effects, mute)"},
      {"[display]\nvolume = 5", "unknown setting 'volume' in [display]"},
      {"[sound]\n\nvolume = 101",
       "settings.conf:3: volume takes a whole number from 0 to 100, "
       "not '101'"},
      {"[sound]\nmusic = -1", "not '-1'"},
      {"[sound]\neffects = +5", "not '+5'"},
      {"[sound]\neffects = 0x10", "not '0x10'"},
      {"[sound]\nvolume = 5 0", "not '5 0'"},
      {"[sound]\nvolume = 99999999999", "not '99999999999'"},
      {"[sound]\nvolume =  # none", "volume takes a whole number from 0 to 100, not ''"},
      {"[sound]\nmute = 1", "mute takes yes or no, not '1'"},
      {"[display]\nscale = 0", "scale takes auto or a whole number from 1 to 8, not '0'"},
      {"[display]\nscale = 9", "not '9'"},
      {"[display]\nfullscreen = maybe", "fullscreen takes ask, yes or no, not 'maybe'"},
      {"[language]\nlanguage = fr", "language takes auto, en or ja, not 'fr'"},
      {"[online]\nlobby = host:0", "not 'host:0'"},
      {"[online]\nlobby = host:65536", "not 'host:65536'"},
      {"[online]\nlobby = :7491", "not ':7491'"},
      {"[online]\nlobby = a b", "not 'a b'"},
      {"[sound]\nmute = \x1b[2J", "not '\\x1b[2J'"},
      {"[sound\nvolume = 5\nbad line", "settings.conf:1: '[sound' opens a section without"},
  };
  for (const auto& [body, why] : cases) {
    std::vector<std::string> complaints;
    const Settings settings = Read(body + "\n[sound]\neffects = 40\n", complaints);
    ASSERT_EQ(complaints.size(), 1u) << body;
    EXPECT_NE(complaints[0].find(why), std::string::npos) << complaints[0];
    Settings expected;
    expected.effects = 40;
    EXPECT_EQ(settings, expected) << body;
  }
}

Settings Louder(int volume) {
  Settings settings;
  settings.volume = volume;
  return settings;
}

TEST(SettingsFile, AnUpdateRewritesOnlyTheLinesThatApplyInPlace) {
  // Duplicates, a bad value, unknown lines and sections, CR LF: all kept but the line that
  // applies, whose indentation and comment stay.
  const std::string original =
      "# my file\r\n[sound]\r\n\tvolume = 10   # quiet\r\nvolume = 20 # later\r\n"
      "volume = loud\r\nstray line\r\n[mine]\r\nvolume = 5\r\n[display]\nfullscreen = ask\n";
  Settings settings = Louder(55);
  settings.fullScreen = FullScreenSetting::Yes;
  EXPECT_EQ(UpdatedSettingsText(original, settings),
            "# my file\r\n[sound]\r\n\tvolume = 10   # quiet\r\nvolume = 55 # later\r\n"
            "volume = loud\r\nstray line\r\n[mine]\r\nvolume = 5\r\n[display]\n"
            "fullscreen = yes\n");
  // A setting as the file reads it is left alone, even when no line says it.
  EXPECT_EQ(UpdatedSettingsText(original, Louder(20)), original);
  EXPECT_EQ(UpdatedSettingsText("[sound]\n# volume deleted\n", Settings()),
            "[sound]\n# volume deleted\n");
  EXPECT_EQ(UpdatedSettingsText("", Settings()), "");
}

TEST(SettingsFile, AnUpdateAddsAMissingKeyToItsSectionAndAMissingSectionAtTheEnd) {
  EXPECT_EQ(UpdatedSettingsText("", Louder(50)), "[sound]\nvolume = 50\n");
  // After the section's last line that is not blank, before the comment that leads on.
  EXPECT_EQ(UpdatedSettingsText("[sound]\r\nmute = no\r\n\r\n# next\r\n[online]\r\n", Louder(1)),
            "[sound]\r\nmute = no\r\nvolume = 1\r\n\r\n# next\r\n[online]\r\n");
  // Into the last of two [sound] sections; a last line without its end is ended first.
  EXPECT_EQ(UpdatedSettingsText("[sound]\nmute = no\n[Sound]", Louder(2)),
            "[sound]\nmute = no\n[Sound]\nvolume = 2\n");
  Settings settings = Louder(3);
  settings.scale = 2;
  settings.lobby = "example.org";
  EXPECT_EQ(UpdatedSettingsText("# mine\n[sound]\nmute = no", settings),
            "# mine\n[sound]\nmute = no\nvolume = 3\n\n[display]\nscale = 2\n\n[online]\n"
            "lobby = example.org\n");
  // A blank last line serves as the one before a new section; a line under an unknown section
  // applies nowhere.
  EXPECT_EQ(UpdatedSettingsText("[x]\nvolume = 3\n\n", Louder(3)),
            "[x]\nvolume = 3\n\n[sound]\nvolume = 3\n");
}

}  // namespace
