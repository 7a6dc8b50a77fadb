// The start's choices: the command line over the settings file, the file over the question.
#include <gtest/gtest.h>

#include "program/startup_settings.h"

TEST(StartupSettings, TheCommandLineWinsThenTheFileThenTheQuestion) {
  using enum FullScreenAnswer;
  EXPECT_EQ(FullScreenWithoutAsking(Yes, FullScreenSetting::No), true);
  EXPECT_EQ(FullScreenWithoutAsking(No, FullScreenSetting::Yes), false);
  EXPECT_EQ(FullScreenWithoutAsking(Ask, FullScreenSetting::Yes), true);
  EXPECT_EQ(FullScreenWithoutAsking(Ask, FullScreenSetting::No), false);
  EXPECT_EQ(FullScreenWithoutAsking(Ask, FullScreenSetting::Ask), std::nullopt);

  Settings settings;
  settings.scale = 3;
  EXPECT_EQ(WindowScale(0, settings), 3);
  EXPECT_EQ(WindowScale(2, settings), 2);

  EXPECT_EQ(SettingsLanguage(LanguageSetting::Auto, Language::Japanese), Language::Japanese);
  EXPECT_EQ(SettingsLanguage(LanguageSetting::English, Language::Japanese), Language::English);
  EXPECT_EQ(SettingsLanguage(LanguageSetting::Japanese, Language::English), Language::Japanese);
}
