// The well's frame, the side panel with its two gauges, and the shuttle emblem that shows how the
// well is turned and mirrored.
#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "solo/drawing.h"
#include "sound/sound.h"

namespace {

// A bar `level` pixels tall standing on y 192; in its warning range it vanishes for one frame
// every `blink` frames, and at the fastest blink the alarm sounds instead.
void DrawGaugeBar(int x, int32_t level, uint8_t warning, int32_t blink) {
  if (warning && blink > 0 && Game.SceneFrame % blink == 0) {
    if (blink == 6) {
      StartSound(SndGage, 0);
    }
    return;
  }
  BlitScaled(SurfSpaceShuttle, 100, 50, 1, 1, x, 192 - level, 64, level);
}

}  // namespace

void DrawFrameAndPanel() {
  BlitRect(SurfBack, 0, 0, 288, 480, 320, 0);
  // The frame is a fourfold enlargement whose transparent middle lets the well show.
  if (Game.viewDirection == 't' || Game.viewDirection == 'b') {
    BlitScaled(SurfWakuTate, 0, 0, 88, 120, 0, 0, 352, 480);
  } else {
    BlitScaled(SurfWakuYoko, 0, 0, 104, 120, 0, 0, 416, 480);
  }
}

void DrawGauges() {
  BlitScaled(SurfBack, 287, 350, 1, 1, 448, 64, 128, 128);
  DrawGaugeBar(448, Game.rotateGauge, Game.rotateWarning, Game.rotateBlink);
  DrawGaugeBar(512, Game.moveGauge, Game.moveWarning, Game.moveBlink);
}

void DrawShuttleEmblem() {
  const int sourceY = Game.mirrored ? 64 : 0;
  switch (Game.viewDirection) {
    case 'b':
      BlitScaled(SurfSpaceShuttle, 0, sourceY, 42, 64, 480, 240, 84, 144);
      break;
    case 't':
      BlitScaled(SurfSpaceShuttle, 42, sourceY, 42, 64, 480, 236, 84, 144);
      break;
    case 'l':
      BlitScaled(SurfSpaceShuttle, 84, sourceY, 56, 42, 448, 264, 128, 84);
      break;
    case 'r':
      BlitScaled(SurfSpaceShuttle, 140, sourceY, 56, 42, 452, 264, 128, 84);
      break;
    default:
      break;
  }
}
