// The falling pairs' halves against their wells.
#include "pair_watch.h"

#include "invariant_rules.h"

namespace {

struct Cell {
  int row;
  int column;
};

bool InPlay(const GameState& state, int side) {
  if (state.CurrentScene == SceneSolo) {
    return side == 1 && state.side1.FallingPair.pairActive;
  }
  return state.CurrentScene == SceneVersus && SideOf(state, side).sideState == SideFalling;
}

Cell HalfCell(const FallingPairRecord& pair, int half) {
  return half == 0 ? Cell{pair.row1, pair.col1} : Cell{pair.row2, pair.col2};
}

int32_t HalfCode(const FallingPairRecord& pair, int half) {
  return half == 0 ? pair.code1 : pair.code2;
}

bool AtStartingPlace(const FallingPairRecord& pair) {
  return pair.row1 == 1 && pair.col1 == 3 && pair.row2 == 0 && pair.col2 == 3 &&
         pair.orientation == 't';
}

// The second half sits on the side of the first that the orientation names; both are in the
// well's playing columns, in the hidden row or below it.
bool ShapeHolds(const FallingPairRecord& pair) {
  int rows = pair.orientation == 't' ? -1 : pair.orientation == 'b' ? 1 : 0;
  int columns = pair.orientation == 'l' ? -1 : pair.orientation == 'r' ? 1 : 0;
  return rows + columns != 0 && pair.row2 == pair.row1 + rows && pair.col2 == pair.col1 + columns &&
         Within(pair.row1, 0, 11) && Within(pair.row2, 0, 11) && Within(pair.col1, 1, 6) &&
         Within(pair.col2, 1, 6);
}

bool CodesLegal(const GameState& state, int side, const FallingPairRecord& pair) {
  const int32_t colours = state.side1.colourCount;
  if (state.CurrentScene == SceneSolo) {
    return Within(pair.code1, 1, SideOf(state, side).colourCount) &&
           Within(pair.code2, 1, SideOf(state, side).colourCount);
  }
  // In a match a sun can only lead a pair and a black hole only follow.
  return (Within(pair.code1, 1, colours) || pair.code1 == CellSun) &&
         (Within(pair.code2, 1, colours) || pair.code2 == CellBlackHole);
}

// The sun recolours the pair as it ends: its end counter has just reached a multiple of 5.
bool SunEnded(const GameState& before, const GameState& after) {
  return after.Sun.endCounter != before.Sun.endCounter && after.Sun.endCounter % 5 == 0;
}

// Home in a test start: side 1's well emptied and its pair put back without being written.
bool WellRestarted(const GameState& state, int side) {
  const VersusSide& s = SideOf(state, side);
  if (side != 1 || !state.debugMode || !AtStartingPlace(s.FallingPair)) {
    return false;
  }
  for (int row = 0; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      if (CellOf(s, row, column) != CellEmpty) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

void PairWatch::Begin(const GameState& state) {
  for (int side : {1, 2}) {
    Halves& watch = sides_[side - 1];
    const VersusSide& s = SideOf(state, side);
    watch = Halves{};
    watch.inPlay = InPlay(state, side);
    for (int half : {0, 1}) {
      const Cell cell = HalfCell(s.FallingPair, half);
      watch.inWell[half] = watch.inPlay && ShapeHolds(s.FallingPair) &&
                           CellOf(s, cell.row, cell.column) == HalfCode(s.FallingPair, half);
    }
  }
}

void PairWatch::Check(const GameState& before, const GameState& after, RuleReport& report) {
  Follow(before, after, 1, report);
  Follow(before, after, 2, report);
}

void PairWatch::Follow(const GameState& before, const GameState& after, int side,
                       RuleReport& report) {
  Halves& watch = sides_[side - 1];
  const bool wasInPlay = watch.inPlay;
  watch.inPlay = InPlay(after, side);
  if (!watch.inPlay) {
    return;
  }
  const VersusSide& s = SideOf(after, side);
  const FallingPairRecord& pair = s.FallingPair;
  if (!report.Expect(ShapeHolds(pair),
                     "side %d: the falling pair at row %d, column %d and row %d, column %d does "
                     "not match its orientation '%c' or has left the well",
                     side, pair.row1, pair.col1, pair.row2, pair.col2,
                     static_cast<char>(pair.orientation)) ||
      !report.Expect(CodesLegal(after, side, pair), "side %d: the falling pair has codes %d and %d",
                     side, pair.code1, pair.code2)) {
    return;
  }
  if (!wasInPlay) {
    // A new pair: its first half is placed in the well, its second half waits above it.
    watch.inWell = {true, false};
    watch.recoloured = {false, false};
  }
  if (after.CurrentScene == SceneSolo && SunEnded(before, after)) {
    watch.inWell = {true, true};
    watch.recoloured = {true, true};
  }
  if (WellRestarted(after, side)) {
    watch.inWell = {false, false};
    watch.recoloured = {false, false};
  }
  static const char* const HalfNames[] = {"first", "second"};
  for (int half : {0, 1}) {
    const Cell cell = HalfCell(pair, half);
    const int32_t code = CellOf(s, cell.row, cell.column);
    const int32_t own = HalfCode(pair, half);
    if (code == own) {
      watch.inWell[half] = true;
      watch.recoloured[half] = false;
      continue;
    }
    if (!watch.inWell[half]) {
      // Only an unmoved pair can have a half outside the well, and nothing else takes its cell.
      report.Expect(code == CellEmpty && AtStartingPlace(pair),
                    "side %d: the falling pair's %s half is not in the well (row %d, column %d "
                    "holds %d, not its code %d)",
                    side, HalfNames[half], cell.row, cell.column, code, own);
    } else if (watch.recoloured[half]) {
      report.Expect(Within(code, 1, s.colourCount),
                    "side %d: the falling pair's %s half, recoloured by the sun, holds %d at row "
                    "%d, column %d",
                    side, HalfNames[half], code, cell.row, cell.column);
    } else {
      report.Expect(false,
                    "side %d: the falling pair's %s half at row %d, column %d holds %d, not its "
                    "code %d",
                    side, HalfNames[half], cell.row, cell.column, code, own);
    }
  }
}
