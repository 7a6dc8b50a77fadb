// The frame driver's wait over 400 real frames of the title: the sleep-then-spin wait the game
// uses beside a pure busy wait, in the same run. Reports CPU time per wall second (of the wait
// alone, and of the game's whole thread), the mean interval between the ends of two waits, and
// how far the intervals stray from 25 ms.
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

double ThreadCpuSeconds() {
  timespec time{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
  return time.tv_sec + time.tv_nsec * 1e-9;
}

// The driver's last clock reading in a frame is the one that ended its wait.
double lastReading = 0.0;
double RecordingNow() {
  lastReading = NowSeconds();
  return lastReading;
}

void (*measuredWait)(double) = nullptr;
double waitCpu = 0.0;
void TimedWait(double deadline) {
  double start = ThreadCpuSeconds();
  measuredWait(deadline);
  waitCpu += ThreadCpuSeconds() - start;
}

void Measure(const char* label, void (*wait)(double)) {
  measuredWait = wait;
  SetFrameClock({RecordingNow, TimedWait});
  ResetFrameDriver();
  RunFrame();  // the first frame only sets the origin
  std::vector<double> ends{lastReading};
  waitCpu = 0.0;
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
      "%-22s CPU per wall s: wait %5.3f, thread %5.3f   mean interval %7.4f ms   "
      "stray from 25 ms: p99 %7.1f us, max %7.1f us\n",
      label, waitCpu / wall, cpu / wall, 1000.0 * wall / Frames,
      1e6 * strays[static_cast<size_t>(0.99 * (strays.size() - 1))], 1e6 * strays.back());
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
  if (!StartHeadlessGame(argv[0], "", 1)) {
    return 1;
  }
  std::printf("frame wait, %d frames of the title at 25 ms:\n", Frames);
  Measure("sleep, then spin 1 ms", SleepThenSpinUntil);
  Measure("busy wait", SpinUntil);
  StopHeadlessGame();
  return 0;
}
