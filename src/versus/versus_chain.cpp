// A side's chain phase in a match: settling, scans every 30 frames, scoring into the shared score,
// the chain attack on the other side, the overflow that loses, and what removed pieces do.
#include "versus/versus_chain.h"

#include <algorithm>

#include "scenes/game_state.h"
#include "solo/chain.h"
#include "solo/hazards.h"
#include "solo/well.h"
#include "sound/sound.h"
#include "versus/holes.h"
#include "versus/match.h"

namespace {

constexpr int32_t SettleFrame = 15;
constexpr int32_t ScanFrame = 30;
constexpr int32_t SettlePasses = 11;
constexpr int32_t AttackChainLength = 4;
constexpr int32_t SunColourIndex = 2;

// Points of a removing scan: doubled for every step of the chain, plus 200 per step after the
// first. Worked out in 64 bits; the score itself wraps rather than overflowing.
void AddChainPoints(const VersusSide& s) {
  int32_t doublings = std::clamp(s.chainCount - 1, 0, 32);
  int64_t points = int64_t{pointsPerPlanet} * s.removedCount * (int64_t{1} << doublings);
  int64_t total = Game.score + points + 200 * int64_t{s.chainCount} - 200;
  Game.score = static_cast<int32_t>(total);
}

void MarkCell(VersusSide& s, int row, int column) {
  s.RemovalMarks[row * WellColumns + column] = 1;
}

// A removed sun clears the 3 x 3 block around it; every non-wall cell of the block counts,
// empty or already removed, and a special piece cleared this way does not act.
void ExplodeSun(int side, int row, int column) {
  VersusSide& s = Side(side);
  for (int r = row - 1; r <= row + 1; ++r) {
    for (int c = column - 1; c <= column + 1; ++c) {
      if (CellAt(side, r, c) == CellWall) {
        continue;
      }
      MarkCell(s, r, c);
      SetCell(side, r, c, CellEmpty);
      AddExplosion(side, SunColourIndex, VersusCellPosition(side, r, c));
    }
  }
  StartSound(SndSun, 0);
}

}  // namespace

int32_t VersusChainStep(int side) {
  VersusSide& s = Side(side);
  // Each side in its chain phase gives the black hole an extra step; the background drawn later
  // in the frame covers this picture.
  if (Game.BlackHole.active) {
    MoveBlackHole();
    DrawBlackHole();
  }
  s.phaseCounter += 1;
  if (s.phaseCounter == SettleFrame) {
    for (int pass = 0; pass < SettlePasses; ++pass) {
      SettleStep(side);
    }
  }
  if (s.phaseCounter != ScanFrame) {
    return SideChain;
  }
  ScanAndRemoveLines(side);
  s.phaseCounter = 0;
  if (s.linesFound) {
    s.chainCount += 1;
    AddChainPoints(s);
    return SideChain;
  }
  if (s.chainCount >= AttackChainLength) {
    Side(OtherSide(side)).fallInterval -= 1;
  }
  s.chainCount = 0;
  if (CellAt(side, 1, 3) != CellEmpty) {
    return SideLost;
  }
  UpdatePinchMusic();
  return SideNewPair;
}

void RemoveCellVersus(int side, int row, int column) {
  VersusSide& s = Side(side);
  if (s.RemovalMarks[row * WellColumns + column]) {
    return;
  }
  int32_t code = Game.ScanSnapshot[row * WellColumns + column];
  if (code == CellBlackHole) {
    LaunchBlackHole(OtherSide(side));
    return;
  }
  if (code == CellSun) {
    ExplodeSun(side, row, column);
    return;
  }
  MarkCell(s, row, column);
  AddExplosion(side, code - 1, VersusCellPosition(side, row, column));
  SoundId sound = s.chainCount == 0 ? SndBom : s.chainCount == 1 ? SndChain2 : SndChain3;
  StartSound(sound, 0);
}
