// The cost of composing one typical play frame from blits: four universe pieces, 70 scaled stars,
// 66 cells, two stretched well frames and the panel pieces, on synthetic pictures.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "gfx/display.h"
#include "gfx/surface_table.h"
#include "platform/display_device.h"

namespace {

// A picture of w x h with a pattern and a magenta corner (the key) sprinkled through it.
void Install(SurfaceId entry, int w, int h, bool keyed) {
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_XRGB8888);
  auto* pixels = static_cast<Uint32*>(picture->pixels);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool hole = (x * 7 + y * 3) % 5 == 0;
      pixels[y * picture->pitch / 4 + x] = hole ? 0xFF00FF : static_cast<Uint32>(x * 3 + y * 5);
    }
  }
  pixels[0] = 0xFF00FF;
  SetTableSurface(entry, picture);
  SDL_FreeSurface(picture);
  if (keyed) {
    SetColourKeyFromCorner(entry);
  }
}

void ComposeFrame(int frame) {
  // The universe scrolls and wraps: four pieces cover the screen.
  int ox = frame % ScreenWidth;
  int oy = (frame / 2) % ScreenHeight;
  BlitRect(SurfUniverse, ox, oy, ScreenWidth - ox, ScreenHeight - oy, 0, 0);
  BlitRect(SurfUniverse, 0, oy, ox, ScreenHeight - oy, ScreenWidth - ox, 0);
  BlitRect(SurfUniverse, ox, 0, ScreenWidth - ox, oy, 0, ScreenHeight - oy);
  BlitRect(SurfUniverse, 0, 0, ox, oy, ScreenWidth - ox, ScreenHeight - oy);
  for (int star = 0; star < 70; ++star) {
    int size = 4 + star % 21;
    int x = (star * 97 + frame * (1 + star % 3)) % (ScreenWidth + 24) - 24;
    int y = (star * 53 + frame) % (ScreenHeight + 24) - 24;
    BlitScaled(SurfFixed, (star % 4) * 16, 0, 16, 16, x, y, size, size);
  }
  for (int side = 0; side < 2; ++side) {
    BlitScaled(SurfWakuTate, 0, 0, 88, 120, side == 0 ? -64 : 352, 0, 352, 480);
  }
  for (int cell = 0; cell < 66; ++cell) {
    BlitRect(SurfPlanet, (cell % 6) * 32, 0, 32, 32, 64 + (cell % 6) * 32, 64 + (cell / 6) * 32);
  }
  BlitRect(SurfBack, 0, 0, 160, 240, 448, 0);
  BlitRect(SurfBack, 0, 240, 160, 240, 448, 240);
  BlitRect(SurfSpaceShuttle, 0, 0, 64, 64, 496, 300);
  BlitScaled(SurfBack, 5, 5, 1, 1, 470, 120, 96, 12);  // gauge bars: one pixel stretched
  BlitScaled(SurfSpaceShuttle, 3, 3, 1, 1, 470, 150, 64, 12);
  BlitScaled(SurfBack, 6, 6, 1, 1, 460, 200, 160, 80);  // panel fill
}

}  // namespace

int main(int argc, char** argv) {
  int frames = argc > 1 ? std::atoi(argv[1]) : 4000;
  if (frames < 1 || InitHeadlessDisplay() != 1) {
    std::fprintf(stderr, "usage: astorine-blit-bench [frames]\n");
    return 1;
  }
  Install(SurfUniverse, 640, 480, false);
  Install(SurfFixed, 64, 16, true);
  Install(SurfWakuTate, 88, 120, true);
  Install(SurfPlanet, 256, 320, true);
  Install(SurfBack, 160, 480, true);
  Install(SurfSpaceShuttle, 128, 128, true);
  for (int frame = 0; frame < 100; ++frame) {
    ComposeFrame(frame);  // warm the caches
  }
  auto start = std::chrono::steady_clock::now();
  for (int frame = 0; frame < frames; ++frame) {
    ComposeFrame(frame);
  }
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  std::printf("blit frame: %.3f ms mean over %d frames (%d blits each; goal < 0.5 ms)\n",
              spent.count() / frames, frames, 4 + 70 + 2 + 66 + 6);
  ReleaseSurfaceTable();
  ReleaseDisplay();
  return 0;
}
