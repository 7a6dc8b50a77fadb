// The windowed game on a display (Xvfb): time from start to the first presented frame, then the
// title through the game's own event loop, with the wait the game chooses (ASTORINE_BUSY_WAIT=1:
// the busy wait) or the one named by WAIT. Reports the intervals between the ends of two waits, CPU
// time per wall second (of the wait, the game's thread and the whole process) and peak memory.
// Skips the full-screen question, which waits for the player. Needs SDL_AUDIODRIVER=dummy on a
// machine without sound.
//   astorine-window-bench [FRAMES [LAUNCH_NS [WAIT [SCALE]]]]   LAUNCH_NS: CLOCK_REALTIME in ns at
//   the launch (0: not known); WAIT: absolute-sleep (the game's), relative-sleep (the earlier) or
//   busy; SCALE 2: the window made 1280 x 960 (at the screen's corner) before the first frame
// FRAMES 0 ends at the first present: start-up alone, for profiling.
#include <SDL.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/data_folder.h"
#include "platform/frame_clock.h"
#include "previous_wait.h"
#include "program/frame_driver.h"
#include "program/shell.h"
#include "services/quit.h"

namespace {

constexpr int WarmUpFrames = 40;  // the first second: fonts opened, caches filled

double Seconds(clockid_t clock) {
  timespec time{};
  clock_gettime(clock, &time);
  return time.tv_sec + time.tv_nsec * 1e-9;
}

struct Recording {
  int frames = 0;  // ends of waits to record after the warm-up
  std::vector<double> ends;
  double lastDeadline = -1.0;
  double waitCpu = 0.0;  // the game thread's CPU time inside the waits, after the warm-up
  double threadCpuAtStart = 0.0;
  double processCpuAtStart = 0.0;
  double threadCpu = 0.0;
  double processCpu = 0.0;
} recording;

// A frame's wait ended at `end`: the warm-up's end starts the CPU counts, the last one ends them.
void RecordEnd(double end) {
  recording.ends.push_back(end);
  const int recorded = static_cast<int>(recording.ends.size());
  if (recorded == WarmUpFrames) {
    recording.threadCpuAtStart = Seconds(CLOCK_THREAD_CPUTIME_ID);
    recording.processCpuAtStart = ProcessCpuSeconds();
  } else if (recorded == WarmUpFrames + recording.frames) {
    recording.threadCpu = Seconds(CLOCK_THREAD_CPUTIME_ID) - recording.threadCpuAtStart;
    recording.processCpu = ProcessCpuSeconds() - recording.processCpuAtStart;
    RequestQuit();
  }
}

struct NamedWait {
  const char* name;
  FrameWait wait;
};
constexpr NamedWait Waits[] = {{"absolute-sleep", SleepThenSpinUntil},
                               {"relative-sleep", RelativeSleepThenSpinUntil},
                               {"busy", SpinUntil}};

// The wait named, or the game's own choice when no name is given; nullptr for an unknown name.
const NamedWait* ChooseWait(const char* name) {
  const FrameWait gameChoice = WindowedFrameWait();
  for (const NamedWait& candidate : Waits) {
    if (name == nullptr ? candidate.wait == gameChoice : std::strcmp(name, candidate.name) == 0) {
      return &candidate;
    }
  }
  return nullptr;
}

// The frame driver's wait, watched: it waits once for each frame's mark, and the clock reading as
// it returns is that frame's end.
FrameWait chosenWait = nullptr;
void TimedWait(double deadline) {
  bool counted = static_cast<int>(recording.ends.size()) >= WarmUpFrames;
  double start = counted ? Seconds(CLOCK_THREAD_CPUTIME_ID) : 0.0;
  chosenWait(deadline);
  if (counted) {
    recording.waitCpu += Seconds(CLOCK_THREAD_CPUTIME_ID) - start;
  }
  if (deadline != recording.lastDeadline) {
    recording.lastDeadline = deadline;
    RecordEnd(NowSeconds());
  }
}

bool ReportFrames() {
  if (static_cast<int>(recording.ends.size()) < WarmUpFrames + recording.frames) {
    std::fprintf(stderr, "astorine-window-bench: the game stopped after %zu frames\n",
                 recording.ends.size());
    return false;
  }
  std::vector<double> intervals;
  for (size_t i = WarmUpFrames; i < recording.ends.size(); ++i) {
    intervals.push_back(1000.0 * (recording.ends[i] - recording.ends[i - 1]));
  }
  double wall = recording.ends.back() - recording.ends[WarmUpFrames - 1];
  std::sort(intervals.begin(), intervals.end());
  std::printf("interval: mean %.4f ms, p99 %.4f ms, max %.4f ms over %d frames\n",
              1000.0 * wall / recording.frames,
              intervals[static_cast<size_t>(0.99 * (intervals.size() - 1))], intervals.back(),
              recording.frames);
  std::printf("cpu per wall s: wait %.4f, game thread %.4f, process %.4f\n",
              recording.waitCpu / wall, recording.threadCpu / wall, recording.processCpu / wall);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  double mainEntered = Seconds(CLOCK_REALTIME);
  recording.frames = argc > 1 ? std::atoi(argv[1]) : 400;
  const NamedWait* wait = ChooseWait(argc > 3 ? argv[3] : nullptr);
  const int scale = argc > 4 ? std::atoi(argv[4]) : 1;
  if (recording.frames < 0 || wait == nullptr || scale < 1) {
    std::fprintf(stderr, "usage: astorine-window-bench [FRAMES [LAUNCH_NS [WAIT [SCALE]]]]\n");
    return 1;
  }
  FindDataFolder(argv[0]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !StartWindowedGame(false, scale)) {
    std::fprintf(stderr, "astorine-window-bench: the game did not start\n");
    return 1;
  }
  double started = Seconds(CLOCK_REALTIME);
  chosenWait = wait->wait;
  SetFrameClock({nullptr, TimedWait});
  RunFrame();  // as the loop's first pass would; its wait puts the present 25 ms after its start
  double presented = Seconds(CLOCK_REALTIME);
  std::printf("wait: %s\n", wait->name);
  std::printf("start-up: main to InitGame done %.1f ms, main to first present %.1f ms",
              1000.0 * (started - mainEntered), 1000.0 * (presented - mainEntered));
  if (argc > 2 && std::atof(argv[2]) > 0.0) {
    std::printf(", launch to first present %.1f ms",
                1000.0 * (presented - std::atof(argv[2]) * 1e-9));
  }
  std::printf("\nstart-up: CPU time to first present %.1f ms (all threads)\n",
              1000.0 * ProcessCpuSeconds());
  if (recording.frames > 0) {
    RunEventLoop();
    if (!ReportFrames()) {
      return 1;
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
  return 0;
}
