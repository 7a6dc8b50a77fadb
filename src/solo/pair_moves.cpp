// Placing the pair, testing its moves against the well and writing its cells after a move.
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/pair.h"
#include "solo/well.h"

namespace {

bool IsVertical(const FallingPairRecord& pair) {
  return pair.orientation == 't' || pair.orientation == 'b';
}

void ShiftRows(FallingPairRecord& pair, int step) {
  pair.row1 += step;
  pair.row2 += step;
}

void ShiftColumns(FallingPairRecord& pair, int step) {
  pair.col1 += step;
  pair.col2 += step;
}

// The column step that undoes a sideways move in this direction.
int BackStep(int direction) {
  return direction == 'r' ? -1 : 1;
}

}  // namespace

void SpawnPair() {
  VersusSide& solo = Game.side1;
  FallingPairRecord& pair = solo.FallingPair;
  pair.code1 = Game.NextPair.next1 + 1;
  pair.code2 = Game.NextPair.next2 + 1;
  Game.NextPair.next1 = RandomRange(0, solo.colourCount - 1);
  Game.NextPair.next2 = RandomRange(0, solo.colourCount - 1);
  pair.row1 = 1;
  pair.col1 = 3;
  pair.row2 = 0;
  pair.col2 = 3;
  pair.orientation = 't';
  // The second half stays out of the well until the pair's first drop, step or turn writes it.
  SetCell(1, 1, 3, pair.code1);
  SetCell(1, 0, 3, CellEmpty);
  pair.pairActive = 1;
}

bool PairLanded(int side) {
  const FallingPairRecord& pair = Side(side).FallingPair;
  bool belowFirst = CellAt(side, pair.row1 + 1, pair.col1) != CellEmpty;
  bool belowSecond = CellAt(side, pair.row2 + 1, pair.col2) != CellEmpty;
  // Upright, one of the two cells below is the other half, so the lower half decides.
  return IsVertical(pair) ? belowFirst && belowSecond : belowFirst || belowSecond;
}

bool TryPairMove(int side, int direction) {
  VersusSide& well = Side(side);
  FallingPairRecord& pair = well.FallingPair;
  // The pair's own old cells are still in the well and read as occupied here.
  bool firstBlocked = CellAt(side, pair.row1, pair.col1) != CellEmpty;
  bool secondBlocked = CellAt(side, pair.row2, pair.col2) != CellEmpty;
  if (firstBlocked && secondBlocked) {
    if (direction == 'd') {
      ShiftRows(pair, -1);
    } else {
      ShiftColumns(pair, BackStep(direction));
      well.moveRepeat = 16;
    }
    return false;
  }
  if (!IsVertical(pair)) {
    if (direction == 'd' && (firstBlocked || secondBlocked)) {
      ShiftRows(pair, -1);
      return false;
    }
    return true;
  }
  if (!firstBlocked && !secondBlocked) {
    return true;
  }
  // An upright pair blocked by one cell: a step is undone without resetting the repeat, and a
  // drop keeps its coordinates (one of the two cells is the pair's own).
  if (direction != 'd') {
    ShiftColumns(pair, BackStep(direction));
  }
  return false;
}

void WritePairAfterDrop(int side) {
  const FallingPairRecord& pair = Side(side).FallingPair;
  SetCell(side, pair.row1, pair.col1, pair.code1);
  SetCell(side, pair.row1 - 1, pair.col1, CellEmpty);
  SetCell(side, pair.row2, pair.col2, pair.code2);
  if (pair.orientation != 'b') {
    SetCell(side, pair.row2 - 1, pair.col2, CellEmpty);
  }
}

void WritePairAfterStep(int side, int step) {
  const FallingPairRecord& pair = Side(side).FallingPair;
  SetCell(side, pair.row1, pair.col1, pair.code1);
  SetCell(side, pair.row1, pair.col1 - step, CellEmpty);
  SetCell(side, pair.row2, pair.col2, pair.code2);
  // When the second half leads the step, the cell behind it is the first half's new cell.
  if (pair.orientation != (step > 0 ? 'r' : 'l')) {
    SetCell(side, pair.row2, pair.col2 - step, CellEmpty);
  }
}

void RestartWellForTest() {
  for (int row = 0; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      SetCell(1, row, column, CellEmpty);
    }
  }
  FallingPairRecord& pair = Game.side1.FallingPair;
  pair.row1 = 1;
  pair.col1 = 3;
  pair.row2 = 0;
  pair.col2 = 3;
  pair.orientation = 't';
  Game.mirrored = 0;
  Game.viewDirection = 'b';
}
