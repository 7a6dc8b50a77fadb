// Which sounds each recent frame started, so that a frame run again after a rollback does not
// start a second time what its first run already started.
#pragma once
#include <cstdint>

#include "sound/sound.h"

enum class FrameRun {
  Untracked,  // no record: every start plays (the default, and all offline play)
  First,      // the frame's first run: its starts are recorded
  Again,      // a rerun: a start its first run made is skipped; any other plays and is recorded
};

// Declares the run of frame `frame` that follows, until the next call. Records are kept for the
// last 32 frame numbers; a rerun of an older frame counts as one with no record.
void BeginSoundFrame(uint32_t frame, FrameRun run);
// Called by StartSound: false when the start must be skipped.
bool AdmitSoundStart(SoundId id);
