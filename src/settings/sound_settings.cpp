// The volume's arithmetic: percentages of the mixer's full level, rounded to the nearest.
#include "settings/sound_settings.h"

#include <algorithm>
#include <cstdio>

#include "services/texts.h"
#include "sound/sound_levels.h"

namespace {

int Level(int volume, int share) {
  const int percentSquared = std::clamp(volume, 0, FullVolume) * std::clamp(share, 0, FullVolume);
  return (percentSquared * FullSoundLevel + FullVolume * FullVolume / 2) /
         (FullVolume * FullVolume);
}

}  // namespace

SoundLevels LevelsOf(const Settings& settings) {
  if (settings.mute) {
    return {};
  }
  return {Level(settings.volume, settings.music), Level(settings.volume, settings.effects)};
}

Settings AfterGameAction(Settings settings, GameAction action) {
  switch (action) {
    case GameAction::Mute:
      settings.mute = !settings.mute;
      break;
    case GameAction::VolumeDown:
    case GameAction::VolumeUp: {
      const int step = action == GameAction::VolumeUp ? VolumeStep : -VolumeStep;
      // A volume the player wrote between two steps moves to the next step.
      const int snapped = (settings.volume + (step > 0 ? 0 : VolumeStep - 1)) / VolumeStep;
      settings.volume = std::clamp(snapped * VolumeStep + step, 0, FullVolume);
      settings.mute = false;
      break;
    }
  }
  return settings;
}

std::string SoundNote(const Settings& settings) {
  if (settings.mute) {
    return Tr("Sound off");
  }
  char note[64];
  std::snprintf(note, sizeof note, Tr("Volume %d %%"), settings.volume);
  return note;
}
