// The sun: it grows from the top-left corner over the screen, then gives planets new colours.
#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"
#include "solo/well.h"

void StartSun() {
  Game.Sun.active = 1;
  Game.Sun.size = 96;
}

void GrowSun() {
  SunRecord& sun = Game.Sun;
  sun.size += 1;
  if (sun.size > 480) {
    // The end counter is never reset, so a sun switched off by the debug key in this phase
    // shortens the next sun's last phase.
    sun.endCounter += 1;
    if (sun.endCounter % 5 == 0) {
      RecolourPlanets();
      sun.active = 0;
    }
  } else if (sun.size >= 150) {
    sun.size += 100;
  }
}

void DrawSun() {
  BlitScaled(SurfSun, 0, 0, 64, 64, 0, 0, Game.Sun.size, Game.Sun.size);
}

void RecolourPlanets() {
  VersusSide& solo = Game.side1;
  FallingPairRecord& pair = solo.FallingPair;
  // The pair's colours are drawn in every case, so the random sequence is the same; they are
  // written only while a pair is in play, for after a lock the record names cells that may have
  // emptied since, where planets would appear from nothing.
  pair.code1 = RandomRange(1, solo.colourCount);
  if (pair.pairActive) {
    SetCell(1, pair.row1, pair.col1, pair.code1);
  }
  pair.code2 = RandomRange(1, solo.colourCount);
  if (pair.pairActive) {
    SetCell(1, pair.row2, pair.col2, pair.code2);
  }
  for (int row = 0; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      if (CellAt(1, row, column) >= 1 && RandomRange(0, 5) == 0) {
        SetCell(1, row, column, RandomRange(1, solo.colourCount));
      }
    }
  }
}
