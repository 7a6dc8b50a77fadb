// The start screen (the shuttle grows, then "start" over the empty panel) and game over.
#include "scenes/start_screens.h"

#include "gfx/display.h"
#include "gfx/surfaces.h"
#include "gfx/text.h"
#include "scenes/game_state.h"
#include "services/texts.h"
#include "solo/background.h"
#include "solo/drawing.h"
#include "sound/sound.h"

namespace {

void RunBackground() {
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
}

// The title tune gives way to the play tune as the game begins.
void SwitchToPlayTune() {
  StopSound(SndTitleBgm);
  StartSound(SndPlayBgm, 1);
}

}  // namespace

int32_t StartFrame() {
  const int32_t f = Game.SceneFrame;
  TitleMenu& menu = Game.title;
  RunBackground();
  if (f >= 20) {
    menu.StartZoom += 40;
  }
  if (f < 150) {
    // Grows around the fixed centre (426, 264).
    const int32_t z = menu.StartZoom;
    BlitScaled(SurfSpaceShuttle, 0, 0, 42, 64, 384 - z / 2, 192 - z / 2, z + 84, z + 144);
    return SceneStart;
  }
  menu.StartZoom = 0;
  if (menu.versusMode) {
    SwitchToPlayTune();
    return SceneVersus;
  }
  DrawGauges();
  DrawFrameAndPanel();
  DrawShuttleEmblem();
  DrawLabel("start", 160, 192, 50, 255, 125, 0);
  if (f >= 200) {
    SwitchToPlayTune();
    return SceneSolo;
  }
  return SceneStart;
}

int32_t GameOverFrame() {
  if (Game.SceneFrame <= 60) {
    RunBackground();
    // TRANSLATORS: drawn from x 75 on a 640-pixel screen, 60 pixels high, where a full-width
    // letter is 60 pixels wide and a half-width one 30: lead with spaces to keep it centred.
    DrawLabel(Tr("Ｇａｍｅ Ｏｖｅｒ"), 75, 200, 60, 255, 255, 255);
    return SceneGameOver;
  }
  // The background stands still under the black frames.
  ClearToColour(0, 0, 0);
  return Game.SceneFrame > 90 ? SceneTitle : SceneGameOver;
}
