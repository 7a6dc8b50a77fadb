// The versus match scene: both sides' state steps in their order, the shared next pair with its
// special pieces, the rising difficulty, the picture, the result labels and the end of the match.
#include "versus/match.h"

#include "gfx/text.h"
#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/background.h"
#include "solo/chain.h"
#include "solo/hazards.h"
#include "solo/pair.h"
#include "versus/computer.h"
#include "versus/drift.h"
#include "versus/holes.h"
#include "versus/versus_chain.h"
#include "versus/versus_drawing.h"
#include "versus/versus_input.h"

namespace {

constexpr int32_t LockFrames = 14;
constexpr int32_t LockPoints = 50;
constexpr int32_t MatchEndFrames = 50;
constexpr int32_t SunPieceIndex = 6;        // a NextPair first half that enters as CellSun
constexpr int32_t BlackHolePieceIndex = 7;  // a NextPair second half that enters as CellBlackHole

enum class StepResult { Continue, SkipToProgression, LeaveMatch };

// The loser's state step: freeze the winner and count the frames the result stays on screen.
StepResult CountMatchEnd(int loser) {
  Side(OtherSide(loser)).sideState = SideWon;
  if (++Game.match.matchEndCounter < MatchEndFrames) {
    return StepResult::SkipToProgression;
  }
  Game.match.matchEndCounter = 0;
  Game.side1.sideState = SideNewPair;
  Game.side2.sideState = SideNewPair;
  Game.computer.planNeeded = 1;
  return StepResult::LeaveMatch;
}

StepResult SideStateStep(int side) {
  VersusSide& s = Side(side);
  switch (s.sideState) {
    case SideFalling:
      // The lock does not stop this frame's control: the pair may still be stepped or dropped.
      if (PairLanded(side) && ++s.phaseCounter >= LockFrames) {
        s.sideState = SideChain;
        Game.score += LockPoints;
      }
      if (side == 2 && Game.title.computerPlayer) {
        ComputerStep();
      } else {
        ControlPair(side);
      }
      break;
    case SideChain:
      s.sideState = VersusChainStep(side);
      break;
    case SideNewPair:
      TakeNextPair(side);
      break;
    case SideLost:
      return CountMatchEnd(side);
    default:  // SideWon: frozen until the match ends
      break;
  }
  return StepResult::Continue;
}

// The shared score drives both sides' colours and speed; side 2's colour count lags one behind.
void VersusProgression() {
  if (Game.score <= 0) {
    return;
  }
  Thresholds& t = Game.thresholds;
  if (Game.score > t.versusColourThreshold && Game.side1.colourCount != 6) {
    Game.side2.colourCount = Game.side1.colourCount;
    Game.side1.colourCount += 1;
    t.versusColourThreshold += 5000;
  }
  // One comparison for both sides, against the threshold as it was before either was lowered.
  if (Game.score > t.versusSpeedThreshold) {
    for (VersusSide* s : {&Game.side1, &Game.side2}) {
      if (s->fallInterval >= 1) {
        s->fallInterval -= 3;
        t.versusSpeedThreshold += 3000;
      }
    }
  }
}

// Background, frames, wells, explosions, then the holes, each over what came before.
void DrawVersusScreen() {
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
  DrawVersusFrame();
  DrawVersusWells();
  DrawExplosions(1);
  DrawExplosions(2);
  if (Game.BlackHole.active) {
    MoveBlackHole();
    DrawBlackHole();
    CaptureCells();
  }
  if (Game.WhiteHole.active) {
    MoveWhiteHole();
    DrawWhiteHole();
    ReleaseCells();
  }
}

void DrawResultLabels() {
  const char* left = nullptr;
  const char* right = nullptr;
  if (Game.side1.sideState == SideLost) {
    left = "Win";
    right = "Lose";
  } else if (Game.side2.sideState == SideLost) {
    left = "Lose";
    right = "Win";
  } else {
    return;
  }
  DrawLabel(left, 96, 192, 64, 255, 125, 0);
  DrawLabel(right, 416, 192, 64, 255, 125, 0);
}

}  // namespace

int32_t VersusFrame() {
  StepResult first = SideStateStep(1);
  if (first == StepResult::LeaveMatch) {
    return SceneTitle;
  }
  if (first == StepResult::Continue) {
    VersusTurnInput(1);
    StepResult second = SideStateStep(2);
    if (second == StepResult::LeaveMatch) {
      return SceneTitle;
    }
    if (second == StepResult::Continue && !Game.title.computerPlayer) {
      VersusTurnInput(2);
    }
  }
  VersusProgression();
  DisturbanceStep();
  DrawVersusScreen();
  DrawResultLabels();
  return VersusDebugKeys();
}

void TakeNextPair(int side) {
  VersusSide& s = Side(side);
  FallingPairRecord& pair = s.FallingPair;
  pair.code1 = Game.NextPair.next1 + 1;
  pair.code2 = Game.NextPair.next2 + 1;
  // The side that takes a pair draws the following one with its own colour count; the four
  // draws happen every time, in this order.
  Game.NextPair.next1 = RandomRange(0, s.colourCount - 1);
  Game.NextPair.next2 = RandomRange(0, s.colourCount - 1);
  if (RandomRange(0, 5) == 0) {
    Game.NextPair.next1 = SunPieceIndex;
  }
  if (RandomRange(0, 4) == 0) {
    Game.NextPair.next2 = BlackHolePieceIndex;
  }
  pair.row1 = 1;
  pair.col1 = 3;
  pair.col2 = 3;
  pair.row2 = 0;
  pair.orientation = 't';
  // The second half enters the well with the pair's first drop, step or turn.
  s.Board[1 * WellColumns + 3] = pair.code1;
  s.Board[0 * WellColumns + 3] = CellEmpty;
  s.sideState = SideFalling;
  if (side == 2) {
    Game.computer.planNeeded = 1;
  }
}

ScreenPoint VersusCellPosition(int side, int row, int column) {
  // Side 2 is the left well, side 1 the right one, ten cells further along.
  int32_t leftColumn = side == 2 ? 1 : 11;
  int32_t x = Game.mirrored ? (leftColumn + 7 - column) * 32 : (column + leftColumn) * 32;
  return ScreenPoint{x, (row + 1) * 32};
}
