// The score thresholds that send the black hole and the sun and make the game harder; once
// raised they stay raised for the rest of the run.
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/hazards.h"

void ApplyScoreThresholds() {
  Thresholds& limits = Game.thresholds;
  VersusSide& solo = Game.side1;
  const int32_t score = Game.score;
  // A threshold passed while its hazard is still on screen fires as soon as that one has ended.
  if (score > limits.blackHoleThreshold && !Game.BlackHole.active) {
    StartBlackHole();
    limits.blackHoleThreshold += (RandomRange(0, 5) + 5) * 1000;
  }
  if (score > limits.sunThreshold && !Game.Sun.active) {
    StartSun();
    limits.sunThreshold += (RandomRange(0, 3) + 3) * 1000;
  }
  if (score <= 0) {
    return;
  }
  if (score > limits.colourThreshold && solo.colourCount != 6) {
    solo.colourCount += 1;
    limits.colourThreshold += 10000;
  }
  if (score > limits.speedThreshold && solo.fallInterval != 1) {
    solo.fallInterval -= 2;
    limits.speedThreshold += 3000;
  }
  if (score > limits.movePeriodThreshold && Game.moveGaugePeriod != 2) {
    Game.moveGaugePeriod -= 1;
    limits.movePeriodThreshold += 5000;
  }
  if (score > limits.rotatePeriodThreshold && Game.rotateGaugePeriod != 2) {
    Game.rotateGaugePeriod -= 1;
    limits.rotatePeriodThreshold += 5000;
  }
}
