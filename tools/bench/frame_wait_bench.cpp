// The frame driver's wait over 400 real frames of the title: the sleep-then-spin wait the game
// uses beside a pure busy wait, in the same run. Reports CPU time of the game's thread per wall
// second, the mean interval between the ends of two waits, and how far intervals stray from 25 ms.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/frame_clock.h"
#include "app/frame_driver.h"
#include "app/headless_session.h"

namespace {

constexpr int Frames = 400;
constexpr double Period = 0.025;

// The driver's last clock reading in a frame is the one that ended its wait.
double lastReading = 0.0;
double RecordingNow() {
  lastReading = NowSeconds();
  return lastReading;
}

double ThreadCpuSeconds() {
  timespec time{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
  return time.tv_sec + time.tv_nsec * 1e-9;
}

void Measure(const char* label, void (*wait)(double)) {
  SetFrameClock({RecordingNow, wait});
  ResetFrameDriver();
  RunFrame();  // the first frame only sets the origin
  std::vector<double> ends{lastReading};
  double cpuStart = ThreadCpuSeconds();
  for (int frame = 0; frame < Frames; ++frame) {
    RunFrame();
    ends.push_back(lastReading);
  }
  double cpu = ThreadCpuSeconds() - cpuStart;
  double wall = ends.back() - ends.front();
  std::vector<double> strays;
  for (size_t i = 1; i < ends.size(); ++i) {
    strays.push_back(std::fabs(ends[i] - ends[i - 1] - Period));
  }
  std::sort(strays.begin(), strays.end());
  std::printf(
      "%-22s CPU %5.3f s per wall s   mean interval %7.4f ms   stray: p99 %7.1f us, max "
      "%7.1f us\n",
      label, cpu / wall, 1000.0 * wall / Frames,
      1e6 * strays[static_cast<size_t>(0.99 * (strays.size() - 1))], 1e6 * strays.back());
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
  if (!StartHeadlessGame(argv[0], "", 1)) {
    return 1;
  }
  std::printf("frame wait, %d frames of the title at 25 ms (game thread only):\n", Frames);
  Measure("sleep, then spin 1 ms", SleepThenSpinUntil);
  Measure("busy wait", SpinUntil);
  StopHeadlessGame();
  return 0;
}
