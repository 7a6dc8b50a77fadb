// The bounds both ends of an online match agree on.
#pragma once

// Frames that may be run again: a late remote mask reaches at most this far back.
constexpr int MaxRollbackFrames = 8;
// Frames between a key press and the frame it plays in.
constexpr int MaxInputDelay = 8;
