// The sound slots on the open sound device (one mixer channel each) and the SoundTable that maps
// the game's sound ids to slots.
#pragma once
#include <cstdint>

#include "sound/sound.h"

// The slot each sound id was loaded into, or -1 when its file could not be loaded.
extern int32_t SoundTable[SoundCount];

// `count` empty slots on the mixer's channels 0 to count - 1, for sounds converted to the open
// device's format. 1 on success; 0 when the device cannot tell its format. Called by InitSound.
int OpenSoundSlots(int count);
// Frees every slot from 0 upward; safe when none is open. Called by ReleaseSound.
void CloseSoundSlots();
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
