// Timing a headless run, with and without drawing.
#include "bench.h"

#include <chrono>
#include <cstdio>

#include "frame_loop.h"
#include "platform/display_device.h"
#include "program/virtual_clock.h"
#include "scenes/game_state.h"
#include "services/quit.h"
#include "services/random.h"

namespace {

struct Timing {
  long frames = 0;
  double seconds = 0.0;
};

Timing TimeFrames(long frames) {
  Timing timing;
  auto start = std::chrono::steady_clock::now();
  while (timing.frames < frames && !RunNumberedFrame(timing.frames, ScriptedFrame(timing.frames))) {
    ++timing.frames;
  }
  timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return timing;
}

void Report(const char* label, const Timing& timing) {
  double rate = timing.seconds > 0.0 ? timing.frames / timing.seconds : 0.0;
  std::printf("%-16s %9.0f frames/s  %8.4f ms per frame  (%ld frames in %.3f s)\n", label, rate,
              timing.frames > 0 ? 1000.0 * timing.seconds / timing.frames : 0.0, timing.frames,
              timing.seconds);
}

}  // namespace

int RunBench(long frames) {
  GameState startState = Game;
  RandomState startRandom = Random;
  Timing drawing = TimeFrames(frames);
  Game = startState;
  Random = startRandom;
  ClearQuitRequest();
  InstallVirtualClock();
  ReleaseDisplay();
  Timing silent = TimeFrames(frames);
  std::printf("headless frames, same keys and seed in both runs:\n");
  Report("with drawing", drawing);
  Report("without drawing", silent);
  return 0;
}
