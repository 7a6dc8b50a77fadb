// The sound part of the settings: what the mute and volume keys change, and the levels and the
// note that follow from it.
#pragma once
#include <string>

#include "input/actions.h"
#include "settings/settings.h"

// One step of the volume keys, in percent.
constexpr int VolumeStep = 10;

struct SoundLevels {
  int tunes = 0;    // 0 to FullSoundLevel
  int effects = 0;  // 0 to FullSoundLevel
  bool operator==(const SoundLevels&) const = default;
};

// The mixer's levels for the settings: the volume times the tunes' or the effects' share, or
// silence when muted.
SoundLevels LevelsOf(const Settings& settings);
// The settings after a press of a [game] key: mute turns the sound off or on again; volume down
// and up move the volume one step within 0 to 100 % and turn the sound on again.
Settings AfterGameAction(Settings settings, GameAction action);
// What the note over the picture says about the sound now: "Sound off", or "Volume 60 %".
std::string SoundNote(const Settings& settings);
