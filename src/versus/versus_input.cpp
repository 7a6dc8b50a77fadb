// The turn keys of both players and the debug keys of a match.
#include "versus/versus_input.h"

#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "solo/hazards.h"
#include "solo/pair.h"
#include "versus/holes.h"

void VersusTurnInput(int side) {
  VersusSide& s = Side(side);
  if (s.sideState != SideFalling) {
    return;
  }
  int counterClockwiseKey = side == 2 ? 'A' : 'K';
  int clockwiseKey = side == 2 ? 'S' : 'L';
  bool counterClockwise = KeyDown(counterClockwiseKey);
  if (!counterClockwise && !KeyDown(clockwiseKey)) {
    s.rotateLatch = 0;
    return;
  }
  if (s.rotateLatch) {
    return;
  }
  // Counter-clockwise wins when both are held; a blocked turn still counts toward the mirror.
  if (counterClockwise) {
    RotatePairCounterClockwise(side);
  } else {
    RotatePairClockwise(side);
  }
  s.rotateLatch = 1;
  Game.rotateGauge += 1;
}

namespace {

// A latched debug key acts once per press; while it is held nothing else is looked at.
bool LatchedDebugAction() {
  if (Game.match.debugLatch) {
    return false;
  }
  Game.match.debugLatch = 1;
  return true;
}

}  // namespace

int32_t VersusDebugKeys() {
  if (!Game.debugMode) {
    return SceneVersus;
  }
  if (KeyDown(KeyF1)) {
    if (LatchedDebugAction()) {
      TurnViewCounterClockwise();
    }
  } else if (KeyDown(KeyF2)) {
    if (LatchedDebugAction()) {
      TurnViewClockwise();
    }
  } else if (KeyDown(KeyF3)) {
    if (LatchedDebugAction()) {
      Game.mirrored = !Game.mirrored;
    }
  } else if (KeyDown(KeyF4)) {
    return SceneTitle;
  } else if (KeyDown(KeyF5)) {
    return SceneGameOver;
  } else if (KeyDown(KeyF6)) {
    if (LatchedDebugAction()) {
      // Switched off in flight: no white hole follows.
      if (Game.BlackHole.active) {
        Game.BlackHole.active = 0;
      } else {
        LaunchBlackHole(1);
      }
    }
  } else if (KeyDown(KeyHome)) {
    RestartWellForTest();
  } else if (KeyDown(KeyPageUp)) {
    Game.score += 100;
  } else {
    Game.match.debugLatch = 0;
  }
  return SceneVersus;
}
