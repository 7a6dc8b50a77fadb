// --host and --join: one online match without a window, on the real clock at the game's pace
// (or --speed times it), the local player steered by the key script or random keys.
#pragma once
#include "options.h"
#include "random_keys.h"

// Plays the match to its end and writes --state-out, --record and the events as a local run
// does. Returns the exit code: 0 the match's result (or --frames) reached on both sides, 1 an
// output not written, 5 the match ended early, 6 a desync.
int RunOnlineMatch(const RunnerOptions& options, RandomKeys* randomKeys);
