// One frame of solo play: the lock, a new pair, thresholds, control, the picture, the hazards and
// the keys read once per frame (turns, Escape, and the debug keys of a test start).
#include "solo/solo_scene.h"

#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "services/quit.h"
#include "solo/background.h"
#include "solo/drawing.h"
#include "solo/hazards.h"
#include "solo/pair.h"

namespace {

// An action that may happen once per press: it waits for every latched key to be released.
template <typename Action>
void Latched(Action action) {
  if (!Game.rotateLatch) {
    action();
    Game.rotateLatch = 1;
  }
}

// The keys of a test start. Sets `acted` when one of them was held.
int32_t DebugKeys(bool& acted) {
  acted = true;
  if (KeyDown(KeyF1)) {
    Latched(TurnViewCounterClockwise);
  } else if (KeyDown(KeyF2)) {
    Latched(TurnViewClockwise);
  } else if (KeyDown(KeyF3)) {
    Latched([] { Game.mirrored = Game.mirrored ? 0 : 1; });
  } else if (KeyDown(KeyF4)) {
    return SceneTitle;
  } else if (KeyDown(KeyF5)) {
    return SceneGameOver;
  } else if (KeyDown(KeyF6)) {
    Latched([] {
      if (Game.BlackHole.active) {
        Game.BlackHole.active = 0;
      } else {
        StartBlackHole();
      }
    });
  } else if (KeyDown(KeyF7)) {
    // Switching the sun off skips its recolouring.
    Latched([] {
      if (Game.Sun.active) {
        Game.Sun.active = 0;
      } else {
        StartSun();
      }
    });
  } else if (KeyDown(KeyHome)) {
    RestartWellForTest();
  } else if (KeyDown(KeyPageUp)) {
    Game.score += 100;
  } else {
    acted = false;
  }
  return SceneSolo;
}

void DrawPlayField() {
  ScrollUniverse();
  UpdateGauges();
  MoveStars();
  DrawUniverse();
  DrawStars();
  DrawWell();
  DrawGauges();
  // Here the frame and panel go over the well; the chain scene draws the well last.
  DrawFrameAndPanel();
  DrawShuttleEmblem();
  DrawScore();
}

void RunHazards() {
  if (Game.BlackHole.active) {
    MoveBlackHole();
    DrawBlackHole();
    SwallowCells();
  }
  if (Game.Sun.active) {
    GrowSun();
    DrawSun();
  }
}

}  // namespace

int32_t SoloPlayFrame() {
  VersusSide& solo = Game.side1;
  // The 14 landed frames need not be consecutive: only the chain resets the count.
  if (PairLanded(1)) {
    solo.phaseCounter += 1;
    if (solo.phaseCounter == 14) {
      Game.score += 50;
      solo.FallingPair.pairActive = 0;
      return SceneSoloChain;
    }
  }
  if (!solo.FallingPair.pairActive) {
    SpawnPair();
  }
  ApplyScoreThresholds();
  ControlPair(1);
  DrawPlayField();
  RunHazards();

  if (KeyDown('K')) {
    Latched([] {
      RotatePairCounterClockwise(1);
      Game.rotateGauge += 2;
    });
    return SceneSolo;
  }
  if (KeyDown('L')) {
    Latched([] {
      RotatePairClockwise(1);
      Game.rotateGauge += 2;
    });
    return SceneSolo;
  }
  if (KeyDown(KeyEscape)) {
    RequestQuit();
    return SceneSolo;
  }
  if (Game.debugMode) {
    bool acted = false;
    const int32_t next = DebugKeys(acted);
    if (acted) {
      return next;
    }
  }
  Game.rotateLatch = 0;
  return SceneSolo;
}
