// The frame clock: the performance counter in seconds, and a wait that leaves the core idle for
// all but the last 100 us of a frame.
#include "platform/frame_clock.h"

#include <SDL.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// With a 1 ns timer slack the kernel wakes a sleeper within tens of microseconds on an idle
// machine; the spin covers that, and is short enough to cost almost nothing.
constexpr double SpinMargin = 100e-6;
constexpr int64_t NanosecondsPerSecond = 1000000000;

// The default slack (50 us) lets the kernel defer a wake-up to batch it with others; the wait
// would then spin for that long. The slack is the thread's own, so the waiting thread sets it.
bool SetFineTimerSlack() {
  return prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
}

// CLOCK_MONOTONIC `seconds` from now. The counter may run on another clock (SDL may read the raw
// monotonic clock, which clock_nanosleep refuses), so the sleep's end is placed on the sleep's
// own clock; the two differ by a few parts per million at most, far inside the spin margin.
timespec MonotonicIn(double seconds) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const int64_t at = static_cast<int64_t>(now.tv_sec) * NanosecondsPerSecond + now.tv_nsec +
                     std::llround(seconds * 1e9);
  timespec wake{};
  wake.tv_sec = static_cast<time_t>(at / NanosecondsPerSecond);
  wake.tv_nsec = static_cast<long>(at % NanosecondsPerSecond);
  return wake;
}

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
  [[maybe_unused]] static const bool fineSlack = SetFineTimerSlack();
  const double sleep = deadline - SpinMargin - NowSeconds();
  if (sleep > 0.0) {
    // An absolute end: a signal that interrupts the sleep resumes it to the same instant.
    const timespec wake = MonotonicIn(sleep);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
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

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}
