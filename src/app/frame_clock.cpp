// The frame clock: the performance counter in seconds, and a wait that leaves the core idle for
// all but the last millisecond of a frame.
#include "app/frame_clock.h"

#include <SDL.h>

namespace {
// The scheduler wakes a sleeper within a millisecond on this kind of machine; the spin covers
// the rest, so the wait still ends within microseconds of the deadline.
constexpr double SpinMargin = 0.001;
}  // namespace

int64_t CounterFrequency() {
  static const auto frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
  return frequency;
}

double NowSeconds() {
  return static_cast<double>(static_cast<int64_t>(SDL_GetPerformanceCounter())) /
         static_cast<double>(CounterFrequency());
}

void SleepThenSpinUntil(double deadline) {
  double sleep = deadline - SpinMargin - NowSeconds();
  if (sleep >= 0.001) {
    SDL_Delay(static_cast<Uint32>(sleep * 1000.0));
  }
  SpinUntil(deadline);
}

void SpinUntil(double deadline) {
  while (NowSeconds() < deadline) {
  }
}
