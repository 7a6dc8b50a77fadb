// The black hole: its flight across the screen, its picture, and the planets it swallows.
#include <algorithm>

#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"
#include "solo/well.h"
#include "versus/holes.h"

bool RectsOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2,
                  int32_t w2, int32_t h2) {
  return std::max(x1, x2) < std::min(x1 + w1, x2 + w2) &&
         std::max(y1, y2) < std::min(y1 + h1, y2 + h2);
}

void StartBlackHole() {
  BlackHoleRecord& hole = Game.BlackHole;
  hole.active = 1;
  hole.widthFactor = RandomRange(1, 3);
  hole.heightFactor = RandomRange(1, 3);
  hole.dx = RandomRange(2, 3);
  hole.dy = RandomRange(3, 5);
  hole.x = 0;
  hole.y = 0;
}

void MoveBlackHole() {
  BlackHoleRecord& hole = Game.BlackHole;
  hole.x += hole.dx;
  hole.y += hole.dy;
  if (hole.y > 480) {
    hole.active = 0;
    // Only a match fills these lists; what the hole took comes back through the white hole.
    if (Game.side1.CapturedPlanets.count != 0 || Game.side2.CapturedPlanets.count != 0) {
      StartWhiteHole();
    }
  }
}

void DrawBlackHole() {
  BlackHoleRecord& hole = Game.BlackHole;
  hole.tick += 1;
  if (hole.tick % 4 == 0) {
    hole.sourceX = hole.frame * 48;
    hole.frame += 1;
  }
  BlitScaled(SurfBlackHole, hole.sourceX, 0, 48, 48, hole.x, hole.y, hole.widthFactor * 48,
             hole.heightFactor * 48);
  if (hole.frame > 3) {
    hole.frame = 0;
    hole.tick = 0;
  }
}

void SwallowCells() {
  const BlackHoleRecord& hole = Game.BlackHole;
  const FallingPairRecord& pair = Game.side1.FallingPair;
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      const bool pairCell =
          (row == pair.row1 && column == pair.col1) || (row == pair.row2 && column == pair.col2);
      if (pairCell || CellAt(1, row, column) < 1) {
        continue;
      }
      // The hole's core against a 2 x 2 probe at the cell's centre.
      const ScreenPoint at = CellScreenPosition(row, column);
      if (RectsOverlap(hole.x + 16, hole.y + 16, hole.widthFactor * 48 - 32,
                       hole.heightFactor * 48 - 32, at.x + 15, at.y + 15, 2, 2)) {
        SetCell(1, row, column, CellEmpty);
      }
    }
  }
}
