// A replay shown in the window (astorine --replay FILE): its frames at the game's pace with their
// sounds, four at a time while Right is held, every recorded hash checked on the way; at its end
// the game goes back to the title and plays on.
#pragma once
#include <string>

#include "services/input_frame.h"

// Reads the replay before the window opens; false with one line on stderr, and nothing plays.
bool LoadWindowReplay(const std::string& path);
// After InitGame: keeps the program's start to come back to, puts the replay's start in place.
void StartWindowReplay();
// A replay loaded and not yet played to its end.
bool ShowingReplay();
// One frame shown: the replay's next frame, or its next four while `local` holds Right.
void RunReplayFrames(const InputFrame& local);
