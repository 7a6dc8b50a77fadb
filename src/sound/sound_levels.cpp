// Levels on SDL_mixer's channels: each sound has a channel of its own (its slot), so a channel's
// volume is its sound's.
#include "sound/sound_levels.h"

#include <SDL_mixer.h>

#include <algorithm>

#include "sound/sound_slots.h"

bool IsTune(SoundId id) {
  return id == SndTitleBgm || id == SndPlayBgm || id == SndPinch;
}

void SetSoundLevels(int tunes, int effects) {
  for (int id = 0; id < SoundCount; ++id) {
    const int slot = SoundTable[id];
    if (slot < 0) {
      continue;
    }
    const int level = IsTune(static_cast<SoundId>(id)) ? tunes : effects;
    Mix_Volume(slot, std::clamp(level, 0, FullSoundLevel));
  }
}

int SoundLevel(SoundId id) {
  if (id < 0 || id >= SoundCount || SoundTable[id] < 0) {
    return -1;
  }
  return Mix_Volume(SoundTable[id], -1);
}
