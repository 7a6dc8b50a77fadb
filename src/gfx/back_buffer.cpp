// The back buffer: one software surface in the format every picture is converted to, so no blit
// converts pixels and a headless run draws exactly what a window shows.
#include "gfx/back_buffer.h"

#include "gfx/display.h"

namespace {

SDL_Surface* backBuffer = nullptr;

}  // namespace

int CreateBackBuffer() {
  ReleaseBackBuffer();
  backBuffer =
      SDL_CreateRGBSurfaceWithFormat(0, ScreenWidth, ScreenHeight, 32, SDL_PIXELFORMAT_XRGB8888);
  if (backBuffer == nullptr) {
    return 0;
  }
  SDL_FillRect(backBuffer, nullptr, 0);
  return 1;
}

void ReleaseBackBuffer() {
  if (backBuffer != nullptr) {
    SDL_FreeSurface(backBuffer);
    backBuffer = nullptr;
  }
}

SDL_Surface* BackBuffer() {
  return backBuffer;
}
