// A short note the program lays over the presented picture (the sound's volume, a new record).
// It is never drawn into the back buffer, so the game's pictures, replays and headless runs do not
// see it.
#pragma once
#include <SDL.h>

#include <string>

// The note shown from the next present on; empty for none.
void SetScreenNote(const std::string& note);
const std::string& ScreenNote();
// The picture to present: `backBuffer` itself without a note, else a copy with the note over it;
// nullptr when the copy cannot be made.
SDL_Surface* PictureWithNote(SDL_Surface* backBuffer);
// Frees the copy; safe at any time. Called by ReleaseDisplay.
void ReleaseScreenNote();
