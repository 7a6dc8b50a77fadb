// The title: the picture slides in, then the start/exit cursor, the play mode and Return.
#include "scenes/title.h"

#include "gfx/surfaces.h"
#include "gfx/text.h"
#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "services/texts.h"
#include "solo/background.h"
#include "sound/sound.h"

namespace {

constexpr int32_t MenuLiveY = 10;  // where the picture settles and the menu comes alive

// Up and Down move the cursor; true when the play-mode keys may be read in this frame.
bool ReadCursorKeys(TitleMenu& menu) {
  if (KeyDown(KeyDown_)) {
    if (menu.MenuChoice == 's') {
      menu.MenuChoice = 'e';
      StartSound(SndSelect, 0);
    }
    return false;
  }
  if (KeyDown(KeyUp) && menu.MenuChoice == 'e') {
    menu.MenuChoice = 's';
    StartSound(SndSelect, 0);
  }
  return true;
}

// One step along the row solo, two players, computer; the ends do not wrap. Each step that
// changes the mode sets or clears the flag that mode adds.
void StepPlayMode(TitleMenu& menu, int step) {
  if (menu.PlayMode == 's' && step > 0) {
    menu.PlayMode = 'p';
    menu.versusMode = 1;
  } else if (menu.PlayMode == 'p' && step > 0) {
    menu.PlayMode = 'c';
    menu.computerPlayer = 1;
  } else if (menu.PlayMode == 'p') {
    menu.PlayMode = 's';
    menu.versusMode = 0;
  } else if (menu.PlayMode == 'c' && step < 0) {
    menu.PlayMode = 'p';
    menu.computerPlayer = 0;
  } else {
    return;
  }
  StartSound(SndMode, 0);
}

// Right before Left; the latch makes a held key step the mode once only.
void ReadModeKeys(TitleMenu& menu) {
  int step = KeyDown(KeyRight) ? 1 : KeyDown(KeyLeft) ? -1 : 0;
  if (step == 0) {
    menu.ModeKeyLatch = 0;
    return;
  }
  if (!menu.ModeKeyLatch) {
    StepPlayMode(menu, step);
  }
  menu.ModeKeyLatch = 1;
}

void DrawModePanel(int32_t playMode) {
  int sourceY = playMode == 's' ? 120 : playMode == 'p' ? 180 : playMode == 'c' ? 240 : -1;
  if (sourceY >= 0) {
    BlitRect(SurfMenu, 0, sourceY, 300, 60, 320, 310);
  }
}

// Return on the start item: the hard start, the test start into play, or the start screen.
int32_t StartChosenGame(const TitleMenu& menu) {
  if (KeyDown(HardStartKey)) {
    Game.side1.colourCount = 6;
    Game.side1.fallInterval = 1;
    Game.moveGaugePeriod = 2;
    Game.rotateGaugePeriod = 4;
    StartSound(SndEnter, 0);
    return SceneStart;
  }
  if ((menu.versusMode || menu.computerPlayer) && KeyDown(TestStartKey)) {
    Game.debugMode = 1;
    StartSound(SndEnter, 0);
    return SceneVersus;
  }
  if (KeyDown(TestStartKey)) {
    Game.debugMode = 1;
    StartSound(SndEnter, 0);
    return SceneSolo;
  }
  StartSound(SndEnter, 0);
  return SceneStart;
}

}  // namespace

int32_t TitleFrame() {
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
  TitleMenu& menu = Game.title;
  BlitRect(SurfTitle, 0, 0, 640, 240, 0, menu.TitleLogoY);
  if (menu.TitleLogoY < MenuLiveY) {
    menu.TitleLogoY += 10;
    return SceneTitle;
  }
  if (menu.TitleLogoY > MenuLiveY) {
    menu.TitleLogoY -= 1;
    return SceneTitle;
  }

  if (ReadCursorKeys(menu) && menu.MenuChoice == 's') {
    ReadModeKeys(menu);
  }
  // TRANSLATORS: drawn from x 190, 15 pixels high: at most 36 half-width letters fit centred.
  DrawLabel(Tr("矢印キーで選択　リターンキーで決定"), 190, 260, 15, 255, 255, 255);
  DrawModePanel(menu.PlayMode);
  if (menu.MenuChoice == 'e') {
    BlitRect(SurfMenu, 150, 0, 150, 60, 140, 310);
    BlitRect(SurfMenu, 0, 60, 150, 60, 140, 370);
    if (KeyDown(KeyReturn)) {
      StartSound(SndEnter, 0);
      return SceneQuit;
    }
  } else if (menu.MenuChoice == 's') {
    BlitRect(SurfMenu, 0, 0, 150, 60, 140, 310);
    BlitRect(SurfMenu, 150, 60, 150, 60, 140, 370);
    if (KeyDown(KeyReturn)) {
      return StartChosenGame(menu);
    }
  }
  return SceneTitle;
}
