// The game's twelve sounds, played by id through the SoundTable.
#pragma once

enum SoundId : int {
  SndTitleBgm,
  SndPlayBgm,
  SndSelect,
  SndMode,
  SndEnter,
  SndBom,
  SndGage,
  SndSun,
  SndChain2,
  SndChain3,
  SndShuttle,
  SndPinch,
  SoundCount
};

// Starts sound `id` from its beginning, once or looping (loop non-zero); 1 if playing started.
int StartSound(SoundId id, int loop);
// Halts sound `id`; 1 if stopped.
int StopSound(SoundId id);

// Every start and stop by id is reported here too (the headless runner's events log).
using SoundEventHook = void (*)(SoundId id, bool start, bool loop);
void SetSoundEventHook(SoundEventHook hook);

// The id's file name in the data folder ("titlebgm.wav") and its name in logs ("SndTitleBgm").
const char* SoundFileName(SoundId id);
const char* SoundIdName(SoundId id);
