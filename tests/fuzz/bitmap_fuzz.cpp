// Fuzz target: the picture loading path the game uses at start-up (read the BMP, convert it to
// the back buffer's format, key the corner colour), then a keyed blit of the whole picture.
#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "gfx/blit.h"
#include "gfx/surface_table.h"

namespace {

// Touches every pixel, so a buffer shorter than width, height and pitch promise shows at once.
uint32_t SumOfPixels(SDL_Surface* picture) {
  uint32_t sum = 0;
  for (int y = 0; y < picture->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(picture->pixels) + y * picture->pitch;
    for (int x = 0; x < picture->w * 4; ++x) {
      sum += row[x];
    }
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SDL_Surface* target =
      SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_XRGB8888);
  FUZZ_REQUIRE(target != nullptr);
  SDL_RWops* source = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (LoadBitmapSurfaceFrom(SurfPlanet, source, "fuzz input") == 1) {
    SDL_Surface* picture = TableSurface(SurfPlanet);
    FUZZ_REQUIRE(picture != nullptr && picture->format->format == SDL_PIXELFORMAT_XRGB8888);
    FUZZ_REQUIRE(picture->w > 0 && picture->h > 0 && picture->pitch >= picture->w * 4);
    FUZZ_REQUIRE(SetColourKeyFromCorner(SurfPlanet) == 1);
    volatile uint32_t sum = SumOfPixels(picture);
    (void)sum;
    // Once at its own size, shifted past the target's corner, and once stretched over all of it.
    BlitBox whole{0, 0, picture->w, picture->h};
    BlitBox shifted{-8, -8, picture->w - 8, picture->h - 8};
    FUZZ_REQUIRE(BlitPicture(target, shifted, picture, whole) == 0);
    FUZZ_REQUIRE(BlitPicture(target, BlitBox{0, 0, target->w, target->h}, picture, whole) == 0);
  } else {
    FUZZ_REQUIRE(TableSurface(SurfPlanet) == nullptr);
  }
  SetTableSurface(SurfPlanet, nullptr);
  return 0;
}
