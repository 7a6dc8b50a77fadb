// The player's hold on the falling pair: automatic and soft drops, sideways steps with key repeat.
#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "solo/pair.h"

namespace {

struct PairKeys {
  int left;
  int right;
  int drop;
};

// Side 1 plays on the arrows, side 2 on the letters E, T and R.
PairKeys KeysOf(int side) {
  if (side == 2) {
    return {'E', 'T', 'R'};
  }
  return {KeyLeft, KeyRight, KeyDown_};
}

void DropOneRow(int side) {
  FallingPairRecord& pair = Side(side).FallingPair;
  pair.row1 += 1;
  pair.row2 += 1;
  Side(side).fallCounter = 0;
  TryPairMove(side, 'd');
  WritePairAfterDrop(side);
}

void StepSideways(int side, int step) {
  VersusSide& well = Side(side);
  if (well.moveCounter < well.moveRepeat) {
    return;
  }
  well.FallingPair.col1 += step;
  well.FallingPair.col2 += step;
  well.moveCounter = 0;
  // Halving gives the repeat its rhythm: press frame, then 8, 4, 2, 1 frames later.
  well.moveRepeat /= 2;
  Game.moveGauge += 1;
  if (TryPairMove(side, step > 0 ? 'r' : 'l')) {
    WritePairAfterStep(side, step);
  }
}

}  // namespace

void ControlPair(int side) {
  VersusSide& well = Side(side);
  const PairKeys keys = KeysOf(side);
  well.fallCounter += 1;
  if (KeyDown(keys.drop) && well.fallCounter % 2 == 0) {
    // The point comes before the test: a pair that cannot fall still earns it.
    Game.score += 1;
    DropOneRow(side);
  } else if (well.fallCounter >= well.fallInterval) {
    DropOneRow(side);
  }
  well.moveCounter += 1;
  if (KeyDown(keys.right)) {
    StepSideways(side, 1);
  } else if (KeyDown(keys.left)) {
    StepSideways(side, -1);
  } else {
    well.moveRepeat = 16;
    well.moveCounter = 16;
  }
}
