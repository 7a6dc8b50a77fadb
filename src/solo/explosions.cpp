// The explosion records of a well: one per removed cell, shown for 15 frames, then cleared
// together.
#include <algorithm>

#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "solo/chain.h"

void AddExplosion(int side, int32_t colourIndex, ScreenPoint at) {
  VersusSide& well = Side(side);
  // A crowded well can lose more cells in one step than the table holds: those beyond it are
  // still counted for the score but get no picture.
  if (well.removedCount >= 0 && well.removedCount < ExplosionCapacity) {
    ExplosionRecord& record = well.ExplosionTable[well.removedCount];
    record.x = at.x;
    record.y = at.y;
    record.frame = 0;
    record.colourIndex = colourIndex;
  }
  well.removedCount += 1;
}

void DrawExplosions(int side) {
  VersusSide& well = Side(side);
  if (well.removedCount <= 0) {
    return;
  }
  // The visit finishes every record counted at its start, even after the last one ends the show.
  const int live = std::min(well.removedCount, ExplosionCapacity);
  for (int i = live - 1; i >= 0; --i) {
    ExplosionRecord& record = well.ExplosionTable[i];
    record.sourceX = record.frame * 32;
    record.frame += 1;
    BlitScaled(SurfBaku, record.sourceX, record.colourIndex * 32, 32, 32, record.x - 8,
               record.y - 8, 48, 48);
    if (record.frame > 14) {
      record.frame = 0;
      well.removedCount = 0;
      for (int row = 1; row <= 11; ++row) {
        for (int column = 1; column <= 6; ++column) {
          well.RemovalMarks[row * WellColumns + column] = 0;
        }
      }
    }
  }
}
