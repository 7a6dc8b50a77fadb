// The drawing switch for frames nobody sees.
#include "gfx/draw_silence.h"

namespace {

bool drawingSilenced = false;

}  // namespace

void SilenceDrawing(bool silenced) {
  drawingSilenced = silenced;
}

bool DrawingSilenced() {
  return drawingSilenced;
}
