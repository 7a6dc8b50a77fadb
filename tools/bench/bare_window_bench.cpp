// A bare SDL window that presents one fixed 640 x 480 picture at 40 frames per second the way the
// game presents its back buffer: the GL renderer, a streaming texture updated every frame, the
// picture copied at the largest whole factor that fits the window, then the game's frame wait.
// scripts/bench.sh runs it beside astorine-window-bench, the game's own loop, as the floor for a
// window: after one second of warm-up, FRAMES frames; their mean interval, the process's CPU per
// wall second and its peak memory, reported as the game's bench reports them. SCALE 2: the window
// is made 1280 x 960 (at the screen's corner) before the first frame.
//   astorine-bare-window-bench [FRAMES [SCALE]]   defaults 400 and 1
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/frame_clock.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;
constexpr double FramePeriod = 0.025;
constexpr int WarmUpFrames = 40;

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
  const int frames = argc > 1 ? std::atoi(argv[1]) : 400;
  const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
  if (frames < 1 || scale < 1) {
    std::fprintf(stderr, "usage: astorine-bare-window-bench [FRAMES [SCALE]]\n");
    return 1;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "astorine-bare-window-bench: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("bare window", 0, 0, Width, Height, 0);
  Presentation shown;
  if (window == nullptr || !CreatePresentation(window, shown)) {
    std::fprintf(stderr, "astorine-bare-window-bench: %s\n", SDL_GetError());
    return 1;
  }
  SDL_SetWindowSize(window, Width * scale, Height * scale);
  const std::vector<uint32_t> pixels = FixedPicture();
  const FrameWait wait = WindowedFrameWait();
  double lastFrame = NowSeconds();
  double measuredFrom = 0.0;
  double cpuFrom = 0.0;
  double cpu = 0.0;
  // Measured from the end of the wait after the warm-up to the end of the wait FRAMES later.
  for (int frame = 0; frame <= WarmUpFrames + frames && !QuitAsked(); ++frame) {
    // The frame driver's rule: the first reading 0.025 s or more past the previous one.
    double now = NowSeconds();
    while (now - lastFrame < FramePeriod) {
      wait(lastFrame + FramePeriod);
      now = NowSeconds();
    }
    lastFrame = now;
    if (frame == WarmUpFrames) {
      measuredFrom = now;
      cpuFrom = ProcessCpuSeconds();
    } else if (frame == WarmUpFrames + frames) {
      cpu = ProcessCpuSeconds() - cpuFrom;
      break;
    }
    Present(shown, pixels);
  }
  const double wall = lastFrame - measuredFrom;
  std::printf("interval: mean %.4f ms over %d frames at %dx\n", 1000.0 * wall / frames, frames,
              scale);
  std::printf("cpu per wall s: process %.4f\n", cpu / wall);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
  SDL_DestroyTexture(shown.texture);
  SDL_DestroyRenderer(shown.renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
