// How loud the mixer plays each sound: the tunes and the effects each at a level of their own.
#pragma once

#include "sound/sound.h"

// The mixer's full loudness, at which every sound is loaded.
constexpr int FullSoundLevel = 128;

// The three looping tunes (title, play, pinch); every other sound is an effect.
bool IsTune(SoundId id);
// Sets every loaded sound's channel: tunes to `tunes`, effects to `effects`, each 0 (silent) to
// FullSoundLevel. Sounds not loaded are skipped.
void SetSoundLevels(int tunes, int effects);
// The level the mixer itself reports for the sound's channel; -1 when the sound is not loaded.
int SoundLevel(SoundId id);
