// Quarter turns of the pair around its first half, with the kicks that make room for them.
#include "scenes/game_state.h"
#include "solo/pair.h"
#include "solo/quarter_turn.h"
#include "solo/well.h"

namespace {

struct Offset {
  int rows;
  int columns;
};

Offset OffsetOf(int orientation) {
  switch (orientation) {
    case 't':
      return {-1, 0};
    case 'b':
      return {1, 0};
    case 'l':
      return {0, -1};
    default:
      return {0, 1};
  }
}

// Puts the second half on the `to` side of the first half. When that cell is taken, the first
// half moves one cell the opposite way and the second half takes its old cell; a turn upward has
// no such kick. A kick happens only into a free cell (row -1 reads as wall), so a planet hanging
// above the pair is never overwritten and the pair never leaves the well.
void TurnPair(int side, int to) {
  FallingPairRecord& pair = Side(side).FallingPair;
  const Offset target = OffsetOf(to);
  int row1 = pair.row1;
  int col1 = pair.col1;
  if (CellAt(side, row1 + target.rows, col1 + target.columns) != CellEmpty) {
    int kickRow = row1 - target.rows;
    int kickColumn = col1 - target.columns;
    if (to == 't' || CellAt(side, kickRow, kickColumn) != CellEmpty) {
      return;
    }
    row1 = kickRow;
    col1 = kickColumn;
  }
  SetCell(side, pair.row2, pair.col2, CellEmpty);
  pair.row1 = row1;
  pair.col1 = col1;
  pair.row2 = row1 + target.rows;
  pair.col2 = col1 + target.columns;
  pair.orientation = to;
  SetCell(side, pair.row1, pair.col1, pair.code1);
  SetCell(side, pair.row2, pair.col2, pair.code2);
}

// One quarter turn clockwise (+1) or counter-clockwise (-1); an unknown orientation stays put.
void TurnPairBy(int side, int step) {
  static constexpr char PairTurns[5] = "trbl";
  int32_t from = Side(side).FallingPair.orientation;
  int32_t to = QuarterTurn(PairTurns, from, step);
  if (to != from) {
    TurnPair(side, to);
  }
}

}  // namespace

void RotatePairClockwise(int side) {
  TurnPairBy(side, 1);
}

void RotatePairCounterClockwise(int side) {
  TurnPairBy(side, -1);
}
