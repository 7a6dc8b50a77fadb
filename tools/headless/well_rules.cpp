// Rules for the wells: walls and floor intact, every cell a code the current game can hold, removal
// marks only while explosions are counted, the scan snapshot inside the visible well, and explosion
// records inside their table and the screen.
#include "invariant_rules.h"

namespace {

// Each removed cell is counted once per step, and in a match a sun adds its 3 x 3 block besides.
constexpr int32_t SoloRemovedMost = 66;
constexpr int32_t VersusRemovedMost = 66 + 9 * 66;

bool IsWall(int row, int column) {
  return row == WellRows - 1 || column == 0 || column == WellColumns - 1;
}

bool CheckWalls(const VersusSide& s, int side, RuleReport& report) {
  for (int row = 0; row < WellRows; ++row) {
    for (int column = 0; column < WellColumns; ++column) {
      const int32_t code = CellOf(s, row, column);
      if (IsWall(row, column) != (code == CellWall) &&
          !report.Expect(false, "side %d: %s at row %d, column %d holds %d", side,
                         IsWall(row, column) ? "the wall" : "a cell inside the well", row, column,
                         code)) {
        return false;
      }
    }
  }
  return true;
}

bool CellLegal(const GameState& state, PlayKind kind, int side, int32_t code) {
  switch (kind) {
    case PlayKind::Solo:
      return side == 1 ? Within(code, 0, state.side1.colourCount) : code == CellEmpty;
    case PlayKind::Menus:
      return code == CellEmpty;
    case PlayKind::Versus:
      // Side 2's colours never run ahead of side 1's.
      return Within(code, 0, CellBlackHole) && (code >= CellSun || code <= state.side1.colourCount);
    default:
      return Within(code, 0, CellBlackHole);
  }
}

const char* CellRule(PlayKind kind, int side) {
  switch (kind) {
    case PlayKind::Solo:
      return side == 1 ? "outside 0..colourCount of solo play"
                       : "but side 2's well stays empty in solo play";
    case PlayKind::Menus:
      return "but the reset before the title empties the wells";
    case PlayKind::Versus:
      return "neither empty, a planet of side 1's colours, a sun nor a black hole";
    default:
      return "outside 0..8";
  }
}

bool CheckCells(const GameState& state, int side, RuleReport& report) {
  const VersusSide& s = SideOf(state, side);
  const PlayKind kind = KindOf(state);
  for (int row = 0; row < WellRows - 1; ++row) {
    for (int column = 1; column < WellColumns - 1; ++column) {
      const int32_t code = CellOf(s, row, column);
      if (!report.Expect(CellLegal(state, kind, side, code),
                         "side %d: row %d, column %d holds %d, %s (colourCount %d)", side, row,
                         column, code, CellRule(kind, side), state.side1.colourCount)) {
        return false;
      }
    }
  }
  return true;
}

// Marks live as long as the explosions they counted; a sun in row 1 also marks the hidden row 0,
// which no scan reads and no explosion clears.
bool CheckMarks(const VersusSide& s, int side, RuleReport& report) {
  for (int row = 0; row < WellRows; ++row) {
    for (int column = 0; column < WellColumns; ++column) {
      const int32_t mark = s.RemovalMarks[row * WellColumns + column];
      const bool counted = row >= 1 && row <= 11 && !IsWall(row, column);
      const bool legal = IsWall(row, column) ? mark == 0 : Within(mark, 0, 1);
      if (!report.Expect(legal, "side %d: removal mark %d at row %d, column %d", side, mark, row,
                         column) ||
          !report.Expect(!counted || mark == 0 || s.removedCount > 0,
                         "side %d: removal mark left at row %d, column %d with no removal counted",
                         side, row, column)) {
        return false;
      }
    }
  }
  return true;
}

bool ScreenCell(int32_t value, int32_t most) {
  return value % 32 == 0 && Within(value, 0, most);
}

bool CheckExplosions(const GameState& state, const VersusSide& s, int side, RuleReport& report) {
  const int32_t most = KindOf(state) == PlayKind::Solo ? SoloRemovedMost : VersusRemovedMost;
  if (!report.Expect(Within(s.removedCount, 0, most), "side %d: removedCount %d outside 0..%d",
                     side, s.removedCount, most)) {
    return false;
  }
  for (int i = 0; i < ExplosionCapacity; ++i) {
    const ExplosionRecord& record = s.ExplosionTable[i];
    if (!report.Expect(Within(record.frame, 0, 14) && Within(record.colourIndex, 0, 5) &&
                           ScreenCell(record.sourceX, 14 * 32) && ScreenCell(record.x, 640 - 32) &&
                           ScreenCell(record.y, 480 - 32),
                       "side %d: explosion record %d (source x %d, at %d, %d, frame %d, colour "
                       "index %d) outside its picture or the screen",
                       side, i, record.sourceX, record.x, record.y, record.frame,
                       record.colourIndex)) {
      return false;
    }
  }
  return true;
}

void CheckSnapshot(const GameState& state, RuleReport& report) {
  for (int row = 0; row < WellRows; ++row) {
    for (int column = 0; column < WellColumns; ++column) {
      const int32_t code = state.ScanSnapshot[row * WellColumns + column];
      const bool visible = row >= 1 && row <= 11 && column >= 1 && column <= 6;
      if (!report.Expect(visible ? Within(code, 0, CellBlackHole) : code == 0,
                         "ScanSnapshot row %d, column %d holds %d", row, column, code)) {
        return;
      }
    }
  }
}

}  // namespace

PlayKind KindOf(const GameState& state) {
  switch (state.CurrentScene) {
    case SceneSolo:
    case SceneSoloChain:
      return PlayKind::Solo;
    case SceneVersus:
      return PlayKind::Versus;
    case SceneTitle:
    case SceneStart:
      return PlayKind::Menus;
    default:
      return PlayKind::Other;
  }
}

void CheckWells(const GameState& state, RuleReport& report) {
  for (int side : {1, 2}) {
    const VersusSide& s = SideOf(state, side);
    if (!CheckWalls(s, side, report) || !CheckCells(state, side, report) ||
        !CheckMarks(s, side, report) || !CheckExplosions(state, s, side, report)) {
      return;
    }
  }
  CheckSnapshot(state, report);
}
