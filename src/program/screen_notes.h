// The program's notes over the picture, each shown for a second and a half.
#pragma once
#include <string>

constexpr double NoteSeconds = 1.5;

// Shows the note from the next present on, in place of any note shown; `now` in NowSeconds().
void ShowNote(const std::string& note, double now);
// Takes the note away once its time is up; true when it did, so that a paused picture can be
// shown again without it.
bool ExpireNote(double now);
