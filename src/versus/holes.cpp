// The versus black hole, launched by a removed black-hole piece, swallows planets of both wells
// into each well's own list; the white hole then rains the launcher's planets into the other well.
#include "versus/holes.h"

#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"
#include "solo/well.h"
#include "versus/match.h"

namespace {

constexpr int32_t HoleUnit = 48;
constexpr int32_t WhiteHoleSweepWidth = 196;
constexpr int32_t WhiteHoleDropLimitY = 150;  // only the first three sweeps drop planets
constexpr int32_t WellBottomY = 416;          // lower edge of row 11 in both wells

// Whether a hole's core (16 pixels in from each edge) covers a 2 x 2 probe at (x, y).
bool CoreCovers(int32_t holeX, int32_t holeY, int32_t widthFactor, int32_t heightFactor, int32_t x,
                int32_t y) {
  return RectsOverlap(holeX + 16, holeY + 16, HoleUnit * widthFactor - 32,
                      HoleUnit * heightFactor - 32, x, y, 2, 2);
}

// By the pair record in every state, so a locked pair's cells stay safe until the next pair comes.
bool IsPairCell(int side, int row, int column) {
  const FallingPairRecord& pair = Side(side).FallingPair;
  return (column == pair.col1 || column == pair.col2) && (row == pair.row1 || row == pair.row2);
}

void CaptureCell(int side, int row, int column) {
  const BlackHoleRecord& hole = Game.BlackHole;
  int32_t code = CellAt(side, row, column);
  if (code < 1 || IsPairCell(side, row, column)) {
    return;
  }
  ScreenPoint at = VersusCellPosition(side, row, column);
  if (!CoreCovers(hole.x, hole.y, hole.widthFactor, hole.heightFactor, at.x + 15, at.y + 15)) {
    return;
  }
  // A full list leaves the planet in its well rather than losing it.
  CapturedList& list = Side(side).CapturedPlanets;
  if (list.count >= CapturedCapacity) {
    return;
  }
  list.codes[list.count++] = code;
  SetCell(side, row, column, CellEmpty);
}

void EndWhiteHole(CapturedList& list) {
  Game.WhiteHole.active = 0;
  Game.WhiteHole.firstFrame = 1;
  list.count = 0;
}

void ReleaseCell(int side, int row, int column) {
  const WhiteHoleRecord& hole = Game.WhiteHole;
  ScreenPoint at = VersusCellPosition(side, row, column);
  if (!CoreCovers(hole.x, hole.y, hole.widthFactor, hole.heightFactor, at.x, at.y + 15) ||
      CellAt(side, row, column) != CellEmpty) {
    return;
  }
  // The hole over a well gives back what was taken from the other well, latest capture first.
  CapturedList& list = Side(OtherSide(side)).CapturedPlanets;
  if (list.count > 0 && hole.y <= WhiteHoleDropLimitY) {
    SetCell(side, row, column, list.codes[--list.count]);
  } else {
    EndWhiteHole(list);
  }
}

}  // namespace

void LaunchBlackHole(int targetSide) {
  BlackHoleRecord& hole = Game.BlackHole;
  if (hole.active) {
    return;
  }
  hole.active = 1;
  hole.widthFactor = RandomRange(1, 2);
  hole.heightFactor = hole.widthFactor == 1 ? RandomRange(1, 2) : 1;
  // From the launcher's top corner diagonally across toward the target's half of the screen.
  if (targetSide == 1) {
    hole.targetSide = 1;
    hole.dx = RandomRange(2, 3);
    hole.dy = RandomRange(3, 5);
    hole.x = 0;
  } else {
    hole.targetSide = 2;
    hole.dx = -RandomRange(2, 3);
    hole.dy = RandomRange(3, 5);
    hole.x = 592;
  }
  hole.y = 0;
}

void CaptureCells() {
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      CaptureCell(1, row, column);
      CaptureCell(2, row, column);
    }
  }
}

void StartWhiteHole() {
  WhiteHoleRecord& hole = Game.WhiteHole;
  if (hole.active) {
    return;
  }
  hole.active = 1;
  hole.widthFactor = 1;
  hole.heightFactor = 1;
  hole.speed = 4;
  hole.y = 56;
  hole.x = Game.BlackHole.targetSide == 1 ? 352 : 32;
}

void MoveWhiteHole() {
  WhiteHoleRecord& hole = Game.WhiteHole;
  if (hole.firstFrame) {
    hole.firstFrame = 0;
    hole.startX = hole.x;
  }
  hole.x += hole.speed;
  if (hole.x - hole.startX >= WhiteHoleSweepWidth) {
    hole.x = hole.startX;
    hole.y += 32;
  }
}

void DrawWhiteHole() {
  WhiteHoleRecord& hole = Game.WhiteHole;
  hole.tick += 1;
  if (hole.tick % 2 == 0) {
    hole.sourceX = hole.frame * HoleUnit;
    hole.frame += 1;
  }
  BlitScaled(SurfWhiteHole, hole.sourceX, 0, HoleUnit, HoleUnit, hole.x, hole.y,
             HoleUnit * hole.widthFactor, HoleUnit * hole.heightFactor);
  if (hole.frame > 3) {
    hole.frame = 0;
    hole.tick = 0;
  }
}

void ReleaseCells() {
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      if (row == 1 && column == 3) {
        continue;  // where new pairs appear
      }
      ReleaseCell(1, row, column);
      ReleaseCell(2, row, column);
    }
  }
  // A hole that found no empty cell would sweep unseen below the wells for ever: once its core
  // is below the last row it ends as it normally ends, its list emptied.
  WhiteHoleRecord& hole = Game.WhiteHole;
  if (hole.active && hole.y + 16 >= WellBottomY) {
    int overWell = hole.startX >= 320 ? 1 : 2;
    EndWhiteHole(Side(OtherSide(overWell)).CapturedPlanets);
  }
}
