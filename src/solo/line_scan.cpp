// Gravity and the line scan that removes every line of three or more equal planets at once.
#include "scenes/game_state.h"
#include "solo/chain.h"

namespace {

constexpr int FirstRow = 1;
constexpr int LastRow = 11;
constexpr int FirstColumn = 1;
constexpr int LastColumn = 6;

struct Direction {
  int rows;
  int columns;
  int longest;  // cells a run may reach along this direction
};

// Tested in this order from every cell: across, down, down-right, up-right.
constexpr Direction Directions[] = {{0, 1, 6}, {1, 0, 8}, {1, 1, 6}, {-1, 1, 6}};

int Index(int row, int column) {
  return row * WellColumns + column;
}

bool InsideVisibleWell(int row, int column) {
  return row >= FirstRow && row <= LastRow && column >= FirstColumn && column <= LastColumn;
}

int32_t Snapshot(int row, int column) {
  return Game.ScanSnapshot[Index(row, column)];
}

void RemoveRun(int side, int row, int column, const Direction& along) {
  const int32_t code = Snapshot(row, column);
  WellGrid& board = Side(side).Board;
  for (int k = 0; k < 3; ++k) {
    board[Index(row + k * along.rows, column + k * along.columns)] = CellEmpty;
  }
  for (int k = 0; k < 3; ++k) {
    RemoveCell(side, row + k * along.rows, column + k * along.columns);
  }
  for (int k = 3; k < along.longest; ++k) {
    int r = row + k * along.rows;
    int c = column + k * along.columns;
    if (!InsideVisibleWell(r, c) || Snapshot(r, c) != code) {
      break;
    }
    board[Index(r, c)] = CellEmpty;
    RemoveCell(side, r, c);
  }
  Side(side).linesFound = 1;
}

}  // namespace

void SettleStep(int side) {
  WellGrid& board = Side(side).Board;
  // Top-down, so a piece that just fell is met again one row lower and keeps falling.
  for (int row = 0; row < LastRow; ++row) {
    for (int column = FirstColumn; column <= LastColumn; ++column) {
      if (board[Index(row + 1, column)] == CellEmpty) {
        board[Index(row + 1, column)] = board[Index(row, column)];
        board[Index(row, column)] = CellEmpty;
      }
    }
  }
}

void ScanAndRemoveLines(int side) {
  Side(side).linesFound = 0;
  const WellGrid& board = Side(side).Board;
  for (int row = FirstRow; row <= LastRow; ++row) {
    for (int column = FirstColumn; column <= LastColumn; ++column) {
      Game.ScanSnapshot[Index(row, column)] = board[Index(row, column)];
    }
  }
  // Every cell of a longer line starts its own run too, so the removed cells are exactly those
  // on some line at the moment of the copy; the marks count a crossing cell once.
  for (int row = FirstRow; row <= LastRow; ++row) {
    for (int column = FirstColumn; column <= LastColumn; ++column) {
      const int32_t code = Snapshot(row, column);
      if (code == CellEmpty) {
        continue;
      }
      for (const Direction& along : Directions) {
        int endRow = row + 2 * along.rows;
        int endColumn = column + 2 * along.columns;
        if (InsideVisibleWell(endRow, endColumn) &&
            Snapshot(row + along.rows, column + along.columns) == code &&
            Snapshot(endRow, endColumn) == code) {
          RemoveRun(side, row, column, along);
        }
      }
    }
  }
}
