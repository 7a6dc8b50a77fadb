// The computer playing side 2: once per pair it plans, then each frame it drops the pair at the
// pace of its fall, steers it (or wanders), and makes pending turns only in drop frames.
#include "versus/computer.h"

#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/pair.h"

namespace {

constexpr int32_t NoPlanRow = 12;
constexpr int32_t WanderRows = 6;  // a pair without a plan wanders while above this many rows

}  // namespace

void ComputerStep() {
  ComputerPlayer& cpu = Game.computer;
  const VersusSide& s = Game.side2;
  if (cpu.planNeeded) {
    cpu.planNeeded = 0;
    PlanComputerMove();
  }
  cpu.computerDropCounter += 1;
  if (cpu.computerDropCounter >= s.fallInterval) {
    cpu.computerDropCounter = 0;
    ComputerDrop();
  }
  cpu.computerMoveCounter += 1;
  if (cpu.targetRow == NoPlanRow && s.FallingPair.row1 < cpu.targetRow - WanderRows) {
    if (cpu.computerMoveCounter >= s.fallInterval / 2) {
      cpu.computerMoveCounter = 0;
      if (RandomRange(0, 1) == 1) {
        ComputerStepLeft();
      } else {
        ComputerStepRight();
      }
    }
  } else if (cpu.computerMoveCounter >= s.fallInterval / 8) {
    cpu.computerMoveCounter = 0;
    if (s.FallingPair.col1 < cpu.targetColumn) {
      ComputerStepRight();
    } else if (s.FallingPair.col1 > cpu.targetColumn) {
      ComputerStepLeft();
    } else if (cpu.clockwiseTurns == 0 && cpu.counterClockwiseTurns == 0) {
      // In place with nothing left to turn: push it down, for a point like a soft drop.
      Game.score += 1;
      ComputerDrop();
    }
  }
  // Turns wait for the automatic drops; a blocked turn is used up all the same.
  if (cpu.clockwiseTurns != 0 && cpu.computerDropCounter == 0) {
    cpu.clockwiseTurns -= 1;
    RotatePairClockwise(2);
  }
  if (cpu.counterClockwiseTurns != 0 && cpu.computerDropCounter == 0) {
    cpu.counterClockwiseTurns -= 1;
    RotatePairCounterClockwise(2);
  }
}

void ComputerStepRight() {
  FallingPairRecord& pair = Game.side2.FallingPair;
  pair.col1 += 1;
  pair.col2 += 1;
  if (TryPairMove(2, 'r')) {
    WritePairAfterStep(2, 1);
  }
}

void ComputerStepLeft() {
  FallingPairRecord& pair = Game.side2.FallingPair;
  pair.col1 -= 1;
  pair.col2 -= 1;
  if (TryPairMove(2, 'l')) {
    WritePairAfterStep(2, -1);
  }
}

void ComputerDrop() {
  FallingPairRecord& pair = Game.side2.FallingPair;
  pair.row1 += 1;
  pair.row2 += 1;
  TryPairMove(2, 'd');  // a blocked drop is undone inside; the cells are written either way
  WritePairAfterDrop(2);
}
