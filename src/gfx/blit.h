// The blit beneath BlitRect and BlitScaled: a keyed nearest-neighbour copy clipped to the target.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "gfx/surfaces.h"

// A rectangle as left, top, right, bottom; right and bottom exclusive. Coordinates stay within
// +-2^24 (BlitScaled refuses others), so no sum of them overflows.
struct BlitBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The result of a blit whose source or destination rectangle is empty, inverted or (source)
// reaches outside its picture: nothing is drawn.
constexpr int32_t ErrorInvalidRect = static_cast<int32_t>(0x88760096);

// Copies `source` of the table entry onto `destination` of the back buffer. 0 on success (also
// when nothing of the destination is on screen); ErrorFail without the picture or the back
// buffer; ErrorInvalidRect for a bad rectangle.
int32_t BlitToBackBuffer(const BlitBox& destination, SurfaceId surface, const BlitBox& source);
// The same between any two XRGB8888 surfaces; pixels equal to `picture`'s colour key are skipped.
int32_t BlitPicture(SDL_Surface* target, const BlitBox& destination, SDL_Surface* picture,
                    const BlitBox& source);
