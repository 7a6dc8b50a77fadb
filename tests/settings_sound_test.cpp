// The sound keys' arithmetic: steps, limits, mute and the mixer's levels.
#include <gtest/gtest.h>

#include "settings/sound_settings.h"
#include "sound/sound_levels.h"

TEST(SoundSettings, VolumeStepsStayWithinTheRangeAndUnmute) {
  Settings settings;
  settings = AfterGameAction(settings, GameAction::VolumeUp);
  EXPECT_EQ(settings.volume, 100);
  for (int step = 0; step < 12; ++step) {
    settings = AfterGameAction(settings, GameAction::VolumeDown);
  }
  EXPECT_EQ(settings.volume, 0);
  settings.mute = true;
  settings = AfterGameAction(settings, GameAction::VolumeUp);
  EXPECT_EQ(settings.volume, 10);
  EXPECT_FALSE(settings.mute);
  // A volume written between steps moves to the neighbouring step, not past it.
  settings.volume = 65;
  EXPECT_EQ(AfterGameAction(settings, GameAction::VolumeUp).volume, 70);
  EXPECT_EQ(AfterGameAction(settings, GameAction::VolumeDown).volume, 60);
  // Mute turns the sound off and on again and keeps the volume.
  const Settings muted = AfterGameAction(settings, GameAction::Mute);
  EXPECT_TRUE(muted.mute);
  EXPECT_EQ(muted.volume, 65);
  EXPECT_FALSE(AfterGameAction(muted, GameAction::Mute).mute);
}

TEST(SoundSettings, LevelsScaleTheTunesAndEffectsByTheVolume) {
  Settings settings;
  EXPECT_EQ(LevelsOf(settings), (SoundLevels{FullSoundLevel, FullSoundLevel}));
  settings.volume = 50;
  settings.music = 50;
  settings.effects = 100;
  EXPECT_EQ(LevelsOf(settings), (SoundLevels{32, 64}));
  settings.volume = 10;
  settings.music = 10;
  EXPECT_EQ(LevelsOf(settings).tunes, 1);  // 1.28, to the nearest
  settings.mute = true;
  EXPECT_EQ(LevelsOf(settings), (SoundLevels{0, 0}));
}

TEST(SoundSettings, TheNoteSaysWhatChanged) {
  Settings settings;
  settings.volume = 60;
  EXPECT_EQ(SoundNote(settings), "Volume 60 %");
  settings.mute = true;
  EXPECT_EQ(SoundNote(settings), "Sound off");
}
