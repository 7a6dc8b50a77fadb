// Headless frames per second of solo play with drawing, on a crowded well with 30 explosions, a
// large black hole and the sun on screen. The same state is put back before every frame, so every
// frame does the same work.
//
//   astorine-solo-bench [DATA_FOLDER] [FRAMES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless_session.h"
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

double FramesPerSecond(int32_t (*frame)(), int32_t scene, long frames) {
  const GameState start = Game;
  const auto begin = std::chrono::steady_clock::now();
  for (long n = 0; n < frames; ++n) {
    Game = start;
    Game.CurrentScene = scene;
    frame();
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  Game = start;
  return frames / seconds;
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
  const double play = FramesPerSecond(SoloPlayFrame, SceneSolo, frames);
  const double chain = FramesPerSecond(SoloChainFrame, SceneSoloChain, frames);
  std::printf("solo play frame:  %8.0f frames/s  %7.4f ms per frame\n", play, 1000.0 / play);
  std::printf("solo chain frame: %8.0f frames/s  %7.4f ms per frame  (with 30 explosions)\n", chain,
              1000.0 / chain);
  StopHeadlessGame();
  return 0;
}
