// The cost of one 8-frame rollback of a real match in progress: the snapshot put back and eight
// frames run again without drawing. The remote's mask for each frame arrives eight frames late
// and never matches its prediction, so every frame of the match rolls back eight frames; each
// rollback is timed alone (Settle), the frame shown after it is not.
//   astorine-rollback-bench [ROLLBACKS] [SEED]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "net/live_game.h"
#include "net/online_start.h"
#include "net/rollback.h"
#include "program/headless_session.h"
#include "scenes/game_state.h"

namespace {

using Clock = std::chrono::steady_clock;

// One match from the online start, until it ends or enough rollbacks are timed.
void TimeOneMatch(uint32_t seed, size_t wanted, std::vector<double>& micros) {
  EnterOnlineStart(seed);
  LiveGame game;
  Rollback session(game, true, 0);
  std::mt19937 generator(seed);
  std::vector<ActionMask> remote;
  ActionMask local = 0;
  for (int32_t frame = 0; micros.size() < wanted; ++frame) {
    ActionMask next;
    do {
      next = static_cast<ActionMask>(generator() & AllActionBits);
    } while (!remote.empty() && next == remote.back());
    remote.push_back(next);
    if (generator() % 4 == 0) {
      local = static_cast<ActionMask>(generator() & AllActionBits);
    }
    if (frame >= MaxRollbackFrames) {
      session.ReceiveRemote(frame - MaxRollbackFrames, remote[frame - MaxRollbackFrames]);
    }
    const bool inMatch = Game.CurrentScene == SceneVersus;
    const int64_t rollbacksBefore = session.Stats().rollbacks;
    const Clock::time_point start = Clock::now();
    session.Settle();
    const Clock::time_point end = Clock::now();
    if (inMatch && session.Stats().rollbacks > rollbacksBefore) {
      micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    session.Advance(local);
    if (inMatch && Game.CurrentScene != SceneVersus) {
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const long wanted = argc > 1 ? std::atol(argv[1]) : 5000;
  const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 5;
  if (wanted < 1 || !StartHeadlessGame(argv[0], "", seed)) {
    std::fprintf(stderr, "usage: astorine-rollback-bench [rollbacks] [seed]\n");
    return 1;
  }
  std::vector<double> micros;
  int matches = 0;
  while (micros.size() < static_cast<size_t>(wanted)) {
    TimeOneMatch(seed + matches, static_cast<size_t>(wanted), micros);
    ++matches;
  }
  StopHeadlessGame();
  double sum = 0.0;
  for (double value : micros) {
    sum += value;
  }
  std::sort(micros.begin(), micros.end());
  const double p99 = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
  std::printf(
      "8-frame rollback: mean %.1f us  p99 %.1f us  max %.1f us  (%zu rollbacks, %d matches)\n",
      sum / micros.size(), p99, micros.back(), micros.size(), matches);
  return 0;
}
