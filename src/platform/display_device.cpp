// The display device: the renderer and texture that show the back buffer in the game window, and
// PNG pictures of it.
#include <SDL.h>
#include <SDL_image.h>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/picture_fit.h"
#include "gfx/text_fonts.h"
#include "platform/display_device.h"
#include "platform/screen_note.h"

namespace {

// Each platform object is held by one variable, released once and then cleared.
SDL_Window* gameWindow = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* screenTexture = nullptr;
// The picture enlarged by a whole factor, smoothed down to a full screen's fractional size.
SDL_Texture* enlargedTexture = nullptr;
int enlargedFactor = 0;
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

void ReleaseEnlargedTexture() {
  if (enlargedTexture != nullptr) {
    SDL_DestroyTexture(enlargedTexture);
    enlargedTexture = nullptr;
  }
  enlargedFactor = 0;
}

// nullptr when the renderer cannot make it; that answer is kept until the factor changes, so a
// refusal is not asked again every frame.
SDL_Texture* EnlargedTexture(int factor) {
  if (enlargedFactor == factor) {
    return enlargedTexture;
  }
  ReleaseEnlargedTexture();
  enlargedTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_TARGET,
                                      ScreenWidth * factor, ScreenHeight * factor);
  if (enlargedTexture != nullptr &&
      SDL_SetTextureScaleMode(enlargedTexture, SDL_ScaleModeLinear) != 0) {
    ReleaseEnlargedTexture();
  }
  enlargedFactor = factor;
  return enlargedTexture;
}

// A fractional size drawn nearest-neighbour alone would give pixels of unequal widths; enlarged by
// the whole factor above first and smoothed down from there, every pixel stays crisp and even.
SDL_Texture* SmoothedSource(const PictureRect& picture) {
  const int factor = EnlargementFactor(picture.height);
  if (picture.width == ScreenWidth * factor && picture.height == ScreenHeight * factor) {
    return screenTexture;
  }
  SDL_Texture* enlarged = EnlargedTexture(factor);
  // Without it (a texture too big for the renderer) the nearest-neighbour picture still shows.
  if (enlarged == nullptr || SDL_SetRenderTarget(renderer, enlarged) != 0) {
    return screenTexture;
  }
  const bool drawn = SDL_RenderCopy(renderer, screenTexture, nullptr, nullptr) == 0;
  SDL_SetRenderTarget(renderer, nullptr);
  return drawn ? enlarged : screenTexture;
}

bool ShownFullScreen() {
  return (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_FULLSCREEN) != 0;
}

// ASTORINE_TEST_PRESENT_MS=N makes every present take N ms more, as a slow screen would (tests).
Uint32 ExtraPresentMilliseconds() {
  static const Uint32 extra = [] {
    const char* text = SDL_getenv("ASTORINE_TEST_PRESENT_MS");
    const long value = text != nullptr ? SDL_strtol(text, nullptr, 10) : 0;
    return static_cast<Uint32>(value > 0 && value <= 10000 ? value : 0);
  }();
  return extra;
}

}  // namespace

int InitDisplay(SDL_Window* window) {
  ReleaseDisplay();
  if (window == nullptr) {
    return 0;
  }
  gameWindow = window;
  if (CreateBackBuffer() == 0 || !CreatePresentation(window)) {
    ReleaseDisplay();
    return 0;
  }
  return 1;
}

int InitHeadlessDisplay() {
  ReleaseDisplay();
  if (CreateBackBuffer() == 0) {
    ReleaseDisplay();
    return 0;
  }
  return 1;
}

int ReleaseDisplay() {
  ReleaseScreenNote();
  ReleaseText();
  ReleaseEnlargedTexture();
  if (screenTexture != nullptr) {
    SDL_DestroyTexture(screenTexture);
    screenTexture = nullptr;
  }
  if (renderer != nullptr) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
  ReleaseBackBuffer();
  gameWindow = nullptr;
  return 1;
}

int PresentFrame(int /*repaint*/) {
  // A repaint shows the same back buffer again, so both calls do the same work.
  if (gameWindow == nullptr || renderer == nullptr || screenTexture == nullptr ||
      BackBuffer() == nullptr) {
    return 0;
  }
  const SDL_Surface* picture = PictureWithNote(BackBuffer());
  if (picture == nullptr ||
      SDL_UpdateTexture(screenTexture, nullptr, picture->pixels, picture->pitch) != 0) {
    return 0;
  }
  int outputWidth = 0;
  int outputHeight = 0;
  if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) {
    return 0;
  }
  const PictureRect shown = ShownFullScreen() ? FullScreenPicture(outputWidth, outputHeight)
                                              : WindowPicture(outputWidth, outputHeight);
  SDL_Texture* source = SmoothedSource(shown);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  const SDL_Rect place{shown.x, shown.y, shown.width, shown.height};
  if (SDL_RenderCopy(renderer, source, nullptr, &place) != 0) {
    return 0;
  }
  SDL_RenderPresent(renderer);
  if (ExtraPresentMilliseconds() > 0) {
    SDL_Delay(ExtraPresentMilliseconds());
  }
  return 1;
}

double DisplayPixelsPerPoint() {
  int windowWidth = 0;
  int windowHeight = 0;
  int outputWidth = 0;
  int outputHeight = 0;
  if (gameWindow == nullptr || renderer == nullptr ||
      SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) {
    return 1;
  }
  SDL_GetWindowSize(gameWindow, &windowWidth, &windowHeight);
  return windowWidth > 0 && outputWidth > 0 ? static_cast<double>(outputWidth) / windowWidth : 1;
}

int SaveBackBufferPng(const char* path) {
  SDL_Surface* backBuffer = BackBuffer();
  if (backBuffer == nullptr || path == nullptr) {
    return 0;
  }
  return IMG_SavePNG(backBuffer, path) == 0 ? 1 : 0;
}
