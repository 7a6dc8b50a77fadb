// The game's earlier frame wait, kept for comparison: a relative sleep to about 1 ms before the
// deadline (at the default timer slack), then a spin on the counter.
#pragma once
#include <chrono>
#include <thread>

#include "platform/frame_clock.h"

inline void RelativeSleepThenSpinUntil(double deadline) {
  constexpr double SpinMargin = 0.001;
  const double sleep = deadline - SpinMargin - NowSeconds();
  if (sleep > 0.0) {
    std::this_thread::sleep_for(std::chrono::duration<double>(sleep));
  }
  SpinUntil(deadline);
}
