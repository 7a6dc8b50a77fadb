// The two gauges that fill with time and play, and the quarter turns of the well they cause.
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"
#include "solo/quarter_turn.h"

namespace {

constexpr int32_t GaugeFull = 130;
// The side the floor is on, one clockwise quarter turn of the well after another.
constexpr char ViewTurns[5] = "bltr";

// Blink period and warning flag by the gauge's level; from 96 up the flag keeps the value it got
// on the way through 80..95.
void UpdateWarning(int32_t level, uint8_t& warning, int32_t& blink) {
  if (level >= 112) {
    blink = 6;
  } else if (level >= 96) {
    blink = 15;
  } else if (level >= 80) {
    blink = 30;
    warning = 1;
  } else {
    warning = 0;
  }
}

}  // namespace

void UpdateGauges() {
  Game.gaugeTick += 1;
  const int32_t tick = Game.gaugeTick;
  if (Game.rotateGaugePeriod != 0 && tick % Game.rotateGaugePeriod == 0) {
    Game.rotateGauge += 1;
  }
  if (Game.moveGaugePeriod != 0 && tick % Game.moveGaugePeriod == 0) {
    Game.moveGauge += 1;
  }
  if (tick == 100) {
    Game.gaugeTick = 0;
  }
  UpdateWarning(Game.rotateGauge, Game.rotateWarning, Game.rotateBlink);
  UpdateWarning(Game.moveGauge, Game.moveWarning, Game.moveBlink);
  if (Game.rotateGauge >= GaugeFull) {
    Game.rotateGauge = 0;
    Game.mirrored = Game.mirrored ? 0 : 1;
  }
  if (Game.moveGauge >= GaugeFull) {
    if (RandomRange(0, 1) == 0) {
      TurnViewClockwise();
    } else {
      TurnViewCounterClockwise();
    }
    Game.moveGauge = 0;
  }
}

void TurnViewClockwise() {
  Game.viewDirection = QuarterTurn(ViewTurns, Game.viewDirection, 1);
}

void TurnViewCounterClockwise() {
  Game.viewDirection = QuarterTurn(ViewTurns, Game.viewDirection, -1);
}
