// The game reset on every entry to the title: what a new game must not inherit from the last.
// Score thresholds and the menu's choices are left alone on purpose: they carry over.
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/random.h"
#include "sound/sound.h"

namespace {

// Leftovers of a match that ended early (the debug exits): chain counts, explosions, marks,
// drift counters, captured planets, the side states, the count of the result's frames and the
// computer's plan.
void ClearMatchLeftovers() {
  for (VersusSide* side : {&Game.side1, &Game.side2}) {
    side->chainCount = 0;
    side->removedCount = 0;
    side->ExplosionTable = {};
    side->RemovalMarks = {};
    side->driftCounter = {};
    side->CapturedPlanets = CapturedList{};
    side->sideState = SideNewPair;
  }
  Game.WhiteHole = WhiteHoleRecord{};
  Game.match.matchEndCounter = 0;
  Game.computer.planNeeded = 1;
}

}  // namespace

void ResetGame() {
  Game.title.TitleLogoY = -501;
  Game.side2.colourCount = 3;
  Game.side1.colourCount = 3;
  Game.NextPair.next1 = RandomRange(0, 2);
  Game.NextPair.next2 = RandomRange(0, Game.side1.colourCount - 1);
  Game.side1.Board = EmptyWellGrid();
  Game.side2.Board = EmptyWellGrid();
  Game.side1.FallingPair.orientation = 't';
  Game.side2.FallingPair.orientation = 't';
  Game.viewDirection = 'b';
  Game.side2.fallInterval = 25;
  Game.side1.fallInterval = 25;
  Game.mirrored = 0;
  Game.side1.FallingPair.pairActive = 0;
  Game.moveGauge = 0;
  Game.rotateGauge = 0;
  Game.side2.phaseCounter = 0;
  Game.side1.phaseCounter = 0;
  Game.score = 0;
  Game.BlackHole.active = 0;
  Game.Sun.active = 0;
  Game.moveGaugePeriod = 10;
  Game.rotateGaugePeriod = 20;
  Game.debugMode = 0;
  ClearMatchLeftovers();
  StopSound(SndPlayBgm);
  StopSound(SndPinch);
  StartSound(SndTitleBgm, 1);
}
