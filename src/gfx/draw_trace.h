// A record of every drawing call, for tests that check what was drawn where.
#pragma once
#include <string>
#include <vector>

#include "gfx/surfaces.h"

struct DrawCall {
  enum Kind { Blit, Label, Clear } kind = Blit;
  SurfaceId surface = SurfPlanet;
  int sx = 0, sy = 0, sw = 0, sh = 0;  // blits: source rectangle
  int dx = 0, dy = 0, dw = 0, dh = 0;  // blits: destination; labels: x, y, height in dh
  std::string text;                    // labels
  int red = 0, green = 0, blue = 0;    // labels and clears
};

// While a sink is installed, BlitRect, BlitScaled, DrawLabel and ClearToColour append one record
// per call (drawn or not; none while drawing is silenced). nullptr stops recording.
void SetDrawTrace(std::vector<DrawCall>* sink);
