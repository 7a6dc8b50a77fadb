// The picture table and the two blits every picture of the game is drawn with.
#pragma once
#include <cstdint>

// Entries of the SurfaceTable, in table order.
enum SurfaceId : int {
  SurfPlanet,
  SurfBack,
  SurfLine,
  SurfUniverse,
  SurfWakuTate,
  SurfWakuYoko,
  SurfSpaceShuttle,
  SurfTitle,
  SurfMenu,
  SurfBaku,
  SurfBlackHole,
  SurfSun,
  SurfFixed,
  SurfWhiteHole,
  SurfaceCount
};

// Loads a BMP file of the data folder ("planet.bmp") into the entry, converted once to the back
// buffer's format; a file that cannot be read leaves the entry absent (one line on stderr).
// Returns 1 when the entry now holds the picture.
int LoadBitmapSurface(SurfaceId entry, const char* fileName);
// Makes the colour of the entry's top-left pixel transparent; 1 if the key was set.
int SetColourKeyFromCorner(SurfaceId entry);
// Releases all 14 entries in table order; safe when they were never loaded. Returns 1.
int ReleaseSurfaceTable();

// Copies a rectangle of a picture into the back buffer at the same size, colour-keyed and clipped
// to the screen. 0 on success, else an error code (nothing is drawn).
int32_t BlitRect(SurfaceId surface, int sx, int sy, int width, int height, int dx, int dy);
// The same, stretched nearest-neighbour onto a destination of any size.
int32_t BlitScaled(SurfaceId surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                   int dh);
