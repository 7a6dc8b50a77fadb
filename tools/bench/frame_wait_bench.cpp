// The frame driver's wait over 400 real frames of the title, three waits in the same run: the
// game's own (a sleep to an absolute time 100 us before the mark, then a spin), the earlier one (a
// relative sleep to 1 ms before, then a spin) and a pure busy wait. Reports CPU time per wall
// second (of the wait alone, and of the game's whole thread) and the intervals between the ends
// of two waits: their mean, 99th percentile and maximum.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/frame_clock.h"
#include "previous_wait.h"
#include "program/frame_driver.h"
#include "program/headless_session.h"

namespace {

constexpr int Frames = 400;

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
  std::vector<double> intervals;
  for (size_t i = 1; i < ends.size(); ++i) {
    intervals.push_back(1000.0 * (ends[i] - ends[i - 1]));
  }
  std::sort(intervals.begin(), intervals.end());
  std::printf(
      "%s: interval mean %.4f ms, p99 %.4f ms, max %.4f ms; cpu per wall s: wait %.4f, "
      "thread %.4f\n",
      label, 1000.0 * wall / Frames, intervals[static_cast<size_t>(0.99 * (intervals.size() - 1))],
      intervals.back(), waitCpu / wall, cpu / wall);
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
  if (!StartHeadlessGame(argv[0], "", 1)) {
    return 1;
  }
  std::printf("frame wait, %d frames of the title at 25 ms:\n", Frames);
  Measure("absolute-sleep", SleepThenSpinUntil);
  Measure("relative-sleep", RelativeSleepThenSpinUntil);
  Measure("busy", SpinUntil);
  StopHeadlessGame();
  return 0;
}
