// A bare SDL window that presents one fixed 640 x 480 picture at 40 frames per second the way the
// game presents its back buffer: the GL renderer, a streaming texture updated every frame, the
// picture copied at the largest whole factor that fits the window, then the game's frame wait.
// scripts/bench.sh measures its CPU and memory beside the game's, as the floor for a window.
//   astorine-bare-window-bench [SECONDS]   ends after SECONDS (default 60), or on SIGTERM or close
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/frame_clock.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;
constexpr double FramePeriod = 0.025;

// Colour bars over a grey ramp: a picture with detail in every row, never changed.
std::vector<uint32_t> FixedPicture() {
  std::vector<uint32_t> pixels(static_cast<size_t>(Width) * Height);
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const uint32_t bar = 0x404040u * static_cast<uint32_t>(x / 80 % 4);
      const uint32_t ramp = static_cast<uint32_t>(y * 255 / (Height - 1)) * 0x010101u;
      pixels[static_cast<size_t>(y) * Width + x] = (bar ^ ramp) & 0xFFFFFFu;
    }
  }
  return pixels;
}

struct Presentation {
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
};

bool CreatePresentation(SDL_Window* window, Presentation& out) {
  out.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (out.renderer == nullptr) {
    out.renderer = SDL_CreateRenderer(window, -1, 0);
  }
  if (out.renderer == nullptr) {
    return false;
  }
  out.texture = SDL_CreateTexture(out.renderer, SDL_PIXELFORMAT_XRGB8888,
                                  SDL_TEXTUREACCESS_STREAMING, Width, Height);
  return out.texture != nullptr && SDL_SetTextureScaleMode(out.texture, SDL_ScaleModeNearest) == 0;
}

void Present(const Presentation& shown, const std::vector<uint32_t>& pixels) {
  SDL_UpdateTexture(shown.texture, nullptr, pixels.data(), Width * 4);
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(shown.renderer, &outputWidth, &outputHeight);
  const int factor = std::max(1, std::min(outputWidth / Width, outputHeight / Height));
  const SDL_Rect picture{(outputWidth - Width * factor) / 2, (outputHeight - Height * factor) / 2,
                         Width * factor, Height * factor};
  SDL_SetRenderDrawColor(shown.renderer, 0, 0, 0, 255);
  SDL_RenderClear(shown.renderer);
  SDL_RenderCopy(shown.renderer, shown.texture, nullptr, &picture);
  SDL_RenderPresent(shown.renderer);
}

bool QuitAsked() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (event.type == SDL_QUIT) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "astorine-bare-window-bench: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, Width, Height, 0);
  Presentation shown;
  if (window == nullptr || !CreatePresentation(window, shown)) {
    std::fprintf(stderr, "astorine-bare-window-bench: %s\n", SDL_GetError());
    return 1;
  }
  const std::vector<uint32_t> pixels = FixedPicture();
  const FrameWait wait = WindowedFrameWait();
  const double end = NowSeconds() + seconds;
  double lastFrame = NowSeconds();
  while (!QuitAsked() && lastFrame < end) {
    // The frame driver's rule: the first reading 0.025 s or more past the previous one.
    double now = NowSeconds();
    while (now - lastFrame < FramePeriod) {
      wait(lastFrame + FramePeriod);
      now = NowSeconds();
    }
    lastFrame = now;
    Present(shown, pixels);
  }
  SDL_DestroyTexture(shown.texture);
  SDL_DestroyRenderer(shown.renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
