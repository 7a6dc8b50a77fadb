// Headless frames per second of solo play with drawing, on a crowded well with 30 explosions, a
// large black hole and the sun on screen. The same state is put back before every frame, so every
// frame does the same work. Both wall time and the main thread's CPU time are reported: on a busy
// machine the second is the steadier figure.
//
//   astorine-solo-bench [DATA_FOLDER] [FRAMES]
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "program/headless_session.h"
#include "scenes/game_state.h"
#include "solo/chain.h"
#include "solo/solo_scene.h"
#include "solo/well.h"

namespace {

void CrowdTheWell() {
  VersusSide& solo = Game.side1;
  for (int row = 3; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      solo.Board[row * WellColumns + column] = 1 + (row * 5 + column * 3) % 6;
    }
  }
  solo.Board[1 * WellColumns + 3] = 2;  // the falling pair, in the open above the pile
  solo.FallingPair = {1, 3, 0, 3, 2, 4, 't', 1};
  solo.phaseCounter = 3;
  solo.colourCount = 6;
  // A full explosion table halfway through its show.
  solo.removedCount = ExplosionCapacity;
  for (int i = 0; i < ExplosionCapacity; ++i) {
    ScreenPoint at = CellScreenPosition(3 + i / 6, 1 + i % 6);
    solo.ExplosionTable[i] = {0, at.x, at.y, 7, i % 6};
  }
  Game.BlackHole = {1, 120, 140, 2, 3, 3, 3, 0, 0, 0, 0};
  Game.Sun = {1, 300, 0};
  Game.rotateGauge = 100;
  Game.moveGauge = 60;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

struct Rate {
  double wall = 0.0;  // frames per second
  double cpu = 0.0;
};

Rate FramesPerSecond(int32_t (*frame)(), int32_t scene, long frames) {
  const GameState start = Game;
  const auto begin = std::chrono::steady_clock::now();
  const double cpuBegin = ThreadSeconds();
  for (long n = 0; n < frames; ++n) {
    Game = start;
    Game.CurrentScene = scene;
    frame();
  }
  const double cpu = ThreadSeconds() - cpuBegin;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  Game = start;
  return {frames / wall, frames / cpu};
}

void Report(const char* label, Rate rate) {
  std::printf("%-28s %7.0f frames/s (%6.4f ms), CPU time: %7.0f frames/s (%6.4f ms)\n", label,
              rate.wall, 1000.0 / rate.wall, rate.cpu, 1000.0 / rate.cpu);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string data = argc > 1 ? argv[1] : "";
  const long frames = argc > 2 ? std::atol(argv[2]) : 4000;
  if (!StartHeadlessGame(argv[0], data, 1)) {
    return 1;
  }
  CrowdTheWell();
  FramesPerSecond(SoloPlayFrame, SceneSolo, frames / 10);  // warm the caches and the fonts
  Report("solo play frame:", FramesPerSecond(SoloPlayFrame, SceneSolo, frames));
  Report("solo chain (30 explosions):", FramesPerSecond(SoloChainFrame, SceneSoloChain, frames));
  StopHeadlessGame();
  return 0;
}
