// The pinch tune, which takes over from the play tune while either well is nearly full.
#include "scenes/game_state.h"
#include "solo/chain.h"
#include "sound/sound.h"

namespace {

int EmptyCells(const WellGrid& board) {
  int count = 0;
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      count += board[row * WellColumns + column] == CellEmpty ? 1 : 0;
    }
  }
  return count;
}

}  // namespace

void UpdatePinchMusic() {
  bool roomy = EmptyCells(Game.side1.Board) > pinchThreshold &&
               EmptyCells(Game.side2.Board) > pinchThreshold;
  if (roomy) {
    if (Game.pinchActive) {
      StopSound(SndPinch);
      StartSound(SndPlayBgm, 1);
      Game.pinchActive = 0;
    }
  } else if (!Game.pinchActive) {
    StopSound(SndPlayBgm);
    StartSound(SndPinch, 1);
    Game.pinchActive = 1;
  }
}
