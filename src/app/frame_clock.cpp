// The frame clock: the performance counter in seconds, and a wait that leaves the core idle for
// all but the last millisecond of a frame.
#include "app/frame_clock.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

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
  // A sleep finer than SDL_Delay's whole milliseconds, so the spin stays near the margin.
  double sleep = deadline - SpinMargin - NowSeconds();
  if (sleep > 0.0) {
    std::this_thread::sleep_for(std::chrono::duration<double>(sleep));
  }
  SpinUntil(deadline);
}

void SpinUntil(double deadline) {
  while (NowSeconds() < deadline) {
  }
}

FrameWait WindowedFrameWait() {
  static const char* const choice = std::getenv("ASTORINE_BUSY_WAIT");
  static const bool busy = choice != nullptr && std::strcmp(choice, "1") == 0;
  return busy ? SpinUntil : SleepThenSpinUntil;
}
