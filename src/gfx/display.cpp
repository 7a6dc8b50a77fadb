// The display device: the back buffer, the renderer and texture that show it in the game window,
// and PNG pictures of it.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "gfx/display.h"
#include "gfx/display_device.h"
#include "gfx/text_fonts.h"

namespace {

// Each platform object is held by one variable, released once and then cleared.
SDL_Window* gameWindow = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* screenTexture = nullptr;
SDL_Surface* backBuffer = nullptr;

bool CreateBackBuffer() {
  backBuffer =
      SDL_CreateRGBSurfaceWithFormat(0, ScreenWidth, ScreenHeight, 32, SDL_PIXELFORMAT_XRGB8888);
  if (backBuffer == nullptr) {
    return false;
  }
  SDL_FillRect(backBuffer, nullptr, 0);
  return true;
}

bool CreatePresentation(SDL_Window* window) {
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer == nullptr) {
    // Some drivers refuse vsync; a picture without it is better than no game.
    renderer = SDL_CreateRenderer(window, -1, 0);
  }
  if (renderer == nullptr) {
    return false;
  }
  screenTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                    ScreenWidth, ScreenHeight);
  // Nearest-neighbour, so a full-screen picture keeps its hard pixel edges.
  return screenTexture != nullptr &&
         SDL_SetTextureScaleMode(screenTexture, SDL_ScaleModeNearest) == 0;
}

// Where the 640 x 480 picture goes in an output of the given size: the largest integer factor
// that fits, or a fractional one below 1 when the output is smaller than the picture; centred.
SDL_Rect FittedPicture(int outputWidth, int outputHeight) {
  int factor = std::min(outputWidth / ScreenWidth, outputHeight / ScreenHeight);
  int width = ScreenWidth * factor;
  int height = ScreenHeight * factor;
  if (factor < 1) {
    double scale = std::min(static_cast<double>(outputWidth) / ScreenWidth,
                            static_cast<double>(outputHeight) / ScreenHeight);
    width = static_cast<int>(ScreenWidth * scale);
    height = static_cast<int>(ScreenHeight * scale);
  }
  return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

}  // namespace

int InitDisplay(SDL_Window* window) {
  ReleaseDisplay();
  if (window == nullptr) {
    return 0;
  }
  gameWindow = window;
  if (!CreateBackBuffer() || !CreatePresentation(window)) {
    ReleaseDisplay();
    return 0;
  }
  return 1;
}

int InitHeadlessDisplay() {
  ReleaseDisplay();
  if (!CreateBackBuffer()) {
    ReleaseDisplay();
    return 0;
  }
  return 1;
}

int ReleaseDisplay() {
  ReleaseText();
  if (screenTexture != nullptr) {
    SDL_DestroyTexture(screenTexture);
    screenTexture = nullptr;
  }
  if (renderer != nullptr) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
  if (backBuffer != nullptr) {
    SDL_FreeSurface(backBuffer);
    backBuffer = nullptr;
  }
  gameWindow = nullptr;
  return 1;
}

int PresentFrame(int /*repaint*/) {
  // A repaint shows the same back buffer again, so both calls do the same work.
  if (gameWindow == nullptr || renderer == nullptr || screenTexture == nullptr ||
      backBuffer == nullptr) {
    return 0;
  }
  if (SDL_UpdateTexture(screenTexture, nullptr, backBuffer->pixels, backBuffer->pitch) != 0) {
    return 0;
  }
  int outputWidth = 0;
  int outputHeight = 0;
  if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) {
    return 0;
  }
  SDL_Rect picture = FittedPicture(outputWidth, outputHeight);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  if (SDL_RenderCopy(renderer, screenTexture, nullptr, &picture) != 0) {
    return 0;
  }
  SDL_RenderPresent(renderer);
  return 1;
}

SDL_Surface* BackBuffer() {
  return backBuffer;
}

int SaveBackBufferPng(const char* path) {
  if (backBuffer == nullptr || path == nullptr) {
    return 0;
  }
  return IMG_SavePNG(backBuffer, path) == 0 ? 1 : 0;
}
