// Reading and writing a well's cells, and where a solo cell is drawn on screen.
#pragma once
#include <cstdint>

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The code at (row, column) of the side's well; anything outside the grid (row -1 above all)
// reads as CellWall.
int32_t CellAt(int side, int row, int column);
// Writes a cell; writes outside the grid are discarded.
void SetCell(int side, int row, int column, int32_t code);
// Walls in row 12 and columns 0 and 7, every other cell empty.
void EmptyWell(int side);
// Top-left screen pixel of a solo cell, by viewDirection and mirrored.
ScreenPoint CellScreenPosition(int row, int column);
