// The planets of the solo well, the next pair's preview and the distance score.
#include <cstdio>

#include "gfx/surfaces.h"
#include "gfx/text.h"
#include "scenes/game_state.h"
#include "solo/drawing.h"
#include "solo/well.h"

namespace {

bool KnownView(int32_t view) {
  return view == 'b' || view == 't' || view == 'l' || view == 'r';
}

void DrawPlanet(int32_t colourIndex, int x, int y) {
  BlitRect(SurfPlanet, colourIndex * 32, Game.mirrored ? 32 : 0, 32, 32, x, y);
}

}  // namespace

void DrawWell() {
  if (KnownView(Game.viewDirection)) {
    for (int row = 1; row <= 11; ++row) {
      for (int column = 1; column <= 6; ++column) {
        const int32_t code = CellAt(1, row, column);
        if (code >= 1) {
          const ScreenPoint at = CellScreenPosition(row, column);
          DrawPlanet(code - 1, at.x, at.y);
        }
      }
    }
  }
  // The second half is shown above the first, as the pair enters.
  DrawPlanet(Game.NextPair.next2, 352, 384);
  DrawPlanet(Game.NextPair.next1, 352, 416);
}

void DrawScore() {
  char text[32];
  std::snprintf(text, sizeof text, "%6dkm", static_cast<int>(Game.score));
  DrawLabel(text, 484, 418, 30, 250, 250, 0);
}
