// The SurfaceTable's platform side: direct access to the pictures for tests and benchmarks.
#pragma once
#include <SDL.h>

#include "gfx/surfaces.h"

// The entry's picture, or nullptr when absent.
SDL_Surface* TableSurface(SurfaceId entry);
// Puts a picture into the entry (converted to XRGB8888 when it is not already; the table owns
// the result and the argument stays the caller's), releasing what the entry held. nullptr empties
// the entry. 1 on success.
int SetTableSurface(SurfaceId entry, SDL_Surface* picture);
// LoadBitmapSurface over any source (a file, or bytes in memory for the fuzz tests): reads the BMP,
// converts it into the entry and closes `source` in every case. `name` is for the stderr line.
int LoadBitmapSurfaceFrom(SurfaceId entry, SDL_RWops* source, const char* name);
// The BMP of `source` as SDL reads it (the window icon's path), refusing what LoadBitmapSurfaceFrom
// refuses; nullptr, after one stderr line naming `name`, when it cannot be read (a null source
// stands for a file that could not be opened). Closes `source`; the caller frees the picture.
SDL_Surface* ReadBitmap(SDL_RWops* source, const char* name);
