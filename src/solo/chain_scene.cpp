// The chain scene after a lock: settle, scan every 30 frames, score, and decide what follows.
#include <algorithm>
#include <cstdint>

#include "scenes/game_state.h"
#include "solo/background.h"
#include "solo/chain.h"
#include "solo/drawing.h"
#include "solo/hazards.h"

namespace {

// The k-th step of a chain removing n planets: 30 x n x 2^(k-1) + 200 x (k - 1).
int32_t ChainStepPoints(int32_t removed, int32_t step) {
  // Each step removes at least three of 66 cells, so the doubling stays far below the cap.
  const int64_t doubling = int64_t{1} << std::clamp(step - 1, 0, 32);
  const int64_t points = int64_t{pointsPerPlanet} * removed * doubling + 200 * int64_t{step - 1};
  return static_cast<int32_t>(points);
}

}  // namespace

int32_t SoloChainFrame() {
  VersusSide& solo = Game.side1;
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
  DrawGauges();
  DrawFrameAndPanel();
  DrawShuttleEmblem();
  DrawScore();
  DrawWell();
  DrawExplosions(1);
  if (Game.BlackHole.active) {
    MoveBlackHole();
    DrawBlackHole();
  }
  if (Game.Sun.active) {
    GrowSun();
    DrawSun();
  }

  solo.phaseCounter += 1;
  if (solo.phaseCounter == 15) {
    // Eleven passes settle any column completely.
    for (int pass = 0; pass < 11; ++pass) {
      SettleStep(1);
    }
  }
  if (solo.phaseCounter != 30) {
    return SceneSoloChain;
  }
  ScanAndRemoveLines(1);
  solo.phaseCounter = 0;
  if (solo.linesFound) {
    solo.chainCount += 1;
    Game.score += ChainStepPoints(solo.removedCount, solo.chainCount);
    return SceneSoloChain;
  }
  solo.chainCount = 0;
  if (solo.Board[1 * WellColumns + 3] != CellEmpty) {
    return SceneGameOver;
  }
  UpdatePinchMusic();
  return SceneSolo;
}
