// The sound layer's platform side, for the app layer: the device, the sound slots (one mixer
// channel each) and the SoundTable that maps the game's sound ids to slots.
#pragma once
#include <cstdint>

#include "sound/sound.h"

// The slot each sound id was loaded into, or -1 when its file could not be loaded.
extern int32_t SoundTable[SoundCount];

// Opens the audio device (44100 Hz, signed 16-bit, stereo) with `count` empty slots. 1 on
// success; 0 on failure with everything released (also when count < 1).
int InitSound(int count);
// Loads a WAV file (a full path) into the lowest free slot: its number, or -1 when there is no
// device, no free slot or the file is unusable (one line on stderr names it; the slot stays free).
int LoadSoundSlot(const char* path);
// Loads the twelve sounds of the data folder in id order into the SoundTable. Called once after
// InitSound.
void LoadSoundTable();
// Slot-level play and halt; 0 for a slot out of range or empty, else 1. Starting a slot that is
// already playing restarts it from its first sample.
int StartSoundSlot(int slot, int loop);
int StopSoundSlot(int slot);
// Halts and frees one slot's sound; 1 if a sound was freed.
int FreeSoundSlot(int slot);
// Frees every slot from 0 upward, closes the device. Safe when never opened.
void ReleaseSound();
