// The two disturbances the players' own actions switch: the sideways drift of both pairs (every 50
// steps) and the mirroring of both wells (every 100 turns).
#include "versus/drift.h"

#include <cstdint>

#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"
#include "solo/pair.h"

namespace {

constexpr int32_t StepsPerDirectionChange = 50;
constexpr int32_t TurnsPerMirror = 100;

// The side's fall pace in frames; 0 (reachable through attacks) drifts every frame, as it falls
// every frame, and a negative interval counts by its magnitude.
int64_t DriftPeriod(const VersusSide& s) {
  int64_t interval = s.fallInterval;
  interval = interval < 0 ? -interval : interval;
  return interval == 0 ? 1 : interval;
}

}  // namespace

void DisturbanceStep() {
  if (Game.moveGauge >= StepsPerDirectionChange) {
    if (Game.viewDirection == 'b') {
      if (RandomRange(0, 1) == 0) {
        TurnViewCounterClockwise();  // 'r'
      } else {
        TurnViewClockwise();  // 'l'
      }
    } else {
      Game.viewDirection = 'b';
    }
    Game.moveGauge = 0;
  }
  if (Game.rotateGauge >= TurnsPerMirror) {
    Game.rotateGauge = 0;
    Game.mirrored = !Game.mirrored;
  }
  if (Game.side1.sideState != SideFalling || Game.side2.sideState != SideFalling) {
    return;
  }
  // Columns run the other way on screen while mirrored; the drift keeps its screen side.
  int towardScreenRight = Game.mirrored ? -1 : 1;
  if (Game.viewDirection == 'r') {
    DriftPairs(towardScreenRight);
  } else if (Game.viewDirection == 'l') {
    DriftPairs(-towardScreenRight);
  }
}

void DriftPairs(int step) {
  for (int side : {1, 2}) {
    VersusSide& s = Side(side);
    int32_t& counter = s.driftCounter[step > 0 ? 0 : 1];
    counter += 1;
    if (counter % DriftPeriod(s) != 0) {
      continue;
    }
    counter = 0;
    s.FallingPair.col1 += step;
    s.FallingPair.col2 += step;
    if (TryPairMove(side, step > 0 ? 'r' : 'l')) {
      WritePairAfterStep(side, step);
    }
  }
}
