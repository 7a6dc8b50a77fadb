// The cells of a well as the rules read and write them, and the solo screen mapping.
#include "solo/well.h"

#include "scenes/game_state.h"

namespace {

bool InsideGrid(int row, int column) {
  return row >= 0 && row < WellRows && column >= 0 && column < WellColumns;
}

}  // namespace

int32_t CellAt(int side, int row, int column) {
  // The turns may look at row -1, above the hidden entry row: it must block like a wall.
  if (!InsideGrid(row, column)) {
    return CellWall;
  }
  return Side(side).Board[row * WellColumns + column];
}

void SetCell(int side, int row, int column, int32_t code) {
  // The drop write clears the cell above a half in row 0; there is nothing there to clear.
  if (InsideGrid(row, column)) {
    Side(side).Board[row * WellColumns + column] = code;
  }
}

void EmptyWell(int side) {
  Side(side).Board = EmptyWellGrid();
}

ScreenPoint CellScreenPosition(int row, int column) {
  constexpr int32_t cell = 32;
  const bool mirrored = Game.mirrored != 0;
  switch (Game.viewDirection) {
    case 'b':
      return {(mirrored ? 10 - column : column + 3) * cell, (row + 1) * cell};
    case 't':
      return {(mirrored ? column + 3 : 10 - column) * cell, (13 - row) * cell};
    case 'l':
      return {(12 - row) * cell, (mirrored ? 11 - column : column + 4) * cell};
    case 'r':
      return {row * cell, (mirrored ? column + 4 : 11 - column) * cell};
    default:
      return {};
  }
}
