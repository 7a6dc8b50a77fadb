// Frames per second of a versus match against the computer, drawing included: player 1 spreads
// its pairs by a fixed pattern of keys, and a match that ends is followed at once by a new one.
//   astorine-versus-bench [frames] [seed]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/display_device.h"
#include "program/headless_session.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/keyboard.h"
#include "services/random.h"
#include "versus/match.h"

namespace {

long benchFrame = 0;

// Player 1: a short step burst to one side or the other and a turn, every 150 frames.
int PlayerOneKeys(int key) {
  long phase = benchFrame % 150;
  long round = benchFrame / 150;
  switch (key) {
    case KeyRight:
      return round % 3 == 0 && phase < 6;
    case KeyLeft:
      return round % 3 == 1 && phase < 6;
    case 'K':
      return phase == 20;
    default:
      return 0;
  }
}

void StartMatch() {
  ResetGame();
  Game.CurrentScene = SceneVersus;
  Game.title.PlayMode = 'c';
  Game.title.versusMode = 1;
  Game.title.computerPlayer = 1;
}

struct Run {
  double seconds = 0.0;
  int matches = 0;
};

Run TimeMatches(long frames) {
  Run run;
  StartMatch();
  auto start = std::chrono::steady_clock::now();
  for (benchFrame = 0; benchFrame < frames; ++benchFrame) {
    if (VersusFrame() != SceneVersus) {
      StartMatch();
      ++run.matches;
    }
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

void Report(const char* label, long frames, const Run& run) {
  std::printf("%-16s %9.0f frames/s  %8.4f ms per frame  (%ld frames, %d matches ended)\n", label,
              frames / run.seconds, 1000.0 * run.seconds / frames, frames, run.matches);
}

}  // namespace

int main(int argc, char** argv) {
  long frames = argc > 1 ? std::atol(argv[1]) : 20000;
  uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 3;
  if (frames < 1 || !StartHeadlessGame(argv[0], "", seed)) {
    std::fprintf(stderr, "usage: astorine-versus-bench [frames] [seed]\n");
    return 1;
  }
  SetKeyReader(PlayerOneKeys);
  const GameState started = Game;
  const RandomState seeded = Random;
  Report("with drawing", frames, TimeMatches(frames));
  // Without a back buffer every blit is refused at once: what is left is the game itself, playing
  // the same matches.
  ReleaseDisplay();
  Game = started;
  Random = seeded;
  Report("without drawing", frames, TimeMatches(frames));
  SetKeyReader(nullptr);
  StopHeadlessGame();
  return 0;
}
