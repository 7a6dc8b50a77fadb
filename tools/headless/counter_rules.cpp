// Rules for the counters of each side and of the game: side states, colour counts, fall and
// repeat counters, chain and lock counts, the shared next pair, gauges, view and mirror, the title
// menu, the computer player and the end of a match.
#include "invariant_rules.h"

namespace {

constexpr int32_t FallIntervalStart = 25;
constexpr int32_t LockFrames = 14;
constexpr int32_t ScanFrame = 30;

bool IsOrientation(int32_t value) {
  return value == 't' || value == 'b' || value == 'l' || value == 'r';
}

bool IsMoveRepeat(int32_t value) {
  for (int32_t step : {0, 1, 2, 4, 8, 16}) {
    if (value == step) {
      return true;
    }
  }
  return false;
}

// Lock and chain counts by where the side is: still falling, chaining, or between pairs.
void CheckPhase(const GameState& state, const VersusSide& s, int side, RuleReport& report) {
  const PlayKind kind = KindOf(state);
  const bool falling = (kind == PlayKind::Solo && side == 1 && state.CurrentScene == SceneSolo) ||
                       (kind == PlayKind::Versus && s.sideState == SideFalling);
  const bool settled =
      kind == PlayKind::Versus && (s.sideState == SideNewPair || s.sideState == SideLost);
  report.Expect(Within(s.phaseCounter, 0, falling ? LockFrames - 1 : ScanFrame - 1),
                "side %d: phaseCounter %d outside 0..%d", side, s.phaseCounter,
                falling ? LockFrames - 1 : ScanFrame - 1);
  report.Expect(!settled || s.phaseCounter == 0,
                "side %d: phaseCounter %d between pairs, where a chain's end leaves 0", side,
                s.phaseCounter);
  report.Expect(s.chainCount >= 0, "side %d: chainCount %d below 0", side, s.chainCount);
  report.Expect(!(falling || settled) || (s.chainCount == 0 && s.removedCount == 0),
                "side %d: chainCount %d and removedCount %d left from a finished chain", side,
                s.chainCount, s.removedCount);
}

void CheckSide(const GameState& state, int side, RuleReport& report) {
  const VersusSide& s = SideOf(state, side);
  report.Expect(Within(s.sideState, SideFalling, SideWon), "side %d: sideState %d", side,
                s.sideState);
  report.Expect(Within(s.colourCount, 3, 6), "side %d: colourCount %d outside 3..6", side,
                s.colourCount);
  // Solo play lowers the interval by 2 down to 1; a match's attacks have no lower bound.
  const bool soloWell = KindOf(state) == PlayKind::Solo && side == 1;
  report.Expect(s.fallInterval <= FallIntervalStart && (!soloWell || s.fallInterval >= 1),
                "side %d: fallInterval %d above 25, or below 1 in solo play", side, s.fallInterval);
  report.Expect(Within(s.fallCounter, 0, FallIntervalStart),
                "side %d: fallCounter %d outside 0..25", side, s.fallCounter);
  report.Expect(IsMoveRepeat(s.moveRepeat), "side %d: moveRepeat %d is no halving of 16", side,
                s.moveRepeat);
  report.Expect(Within(s.moveCounter, 0, 16), "side %d: moveCounter %d outside 0..16", side,
                s.moveCounter);
  report.Expect(IsFlag(s.linesFound) && IsFlag(s.rotateLatch),
                "side %d: linesFound %d or rotateLatch %d is no flag", side, s.linesFound,
                s.rotateLatch);
  report.Expect(s.driftCounter[0] >= 0 && s.driftCounter[1] >= 0,
                "side %d: driftCounter %d, %d below 0", side, s.driftCounter[0], s.driftCounter[1]);
  report.Expect(IsOrientation(s.FallingPair.orientation) && IsFlag(s.FallingPair.pairActive),
                "side %d: pair orientation %d or pairActive %d illegal", side,
                s.FallingPair.orientation, s.FallingPair.pairActive);
  report.Expect(Within(s.blackHoleTick, 0, 23) && Within(s.blackHoleSourceX, 0, 64) &&
                    s.blackHoleSourceX % 32 == 0,
                "side %d: black-hole piece animation at tick %d, source x %d", side,
                s.blackHoleTick, s.blackHoleSourceX);
  CheckPhase(state, s, side, report);
}

// The next pair holds colour indices of the colours in play; a match adds the sun (6) as a first
// half and the black hole (7) as a second half. The reset draws from the first three colours.
void CheckNextPair(const GameState& state, RuleReport& report) {
  const NextPairRecord& next = state.NextPair;
  const PlayKind kind = KindOf(state);
  const int32_t colours = kind == PlayKind::Menus ? 3 : state.side1.colourCount;
  const bool specials = kind == PlayKind::Versus || kind == PlayKind::Other;
  const bool legal = (Within(next.next1, 0, colours - 1) || (specials && next.next1 == 6)) &&
                     (Within(next.next2, 0, colours - 1) || (specials && next.next2 == 7));
  report.Expect(legal, "NextPair (%d, %d) outside the %d colours in play", next.next1, next.next2,
                colours);
}

void CheckGaugesAndView(const GameState& state, RuleReport& report) {
  const PlayKind kind = KindOf(state);
  const int32_t view = state.viewDirection;
  report.Expect(IsOrientation(view), "viewDirection %d", view);
  // A match turns the view only between 'b' and a drift; 't' needs the debug keys.
  report.Expect(kind != PlayKind::Versus || state.debugMode || view != 't',
                "viewDirection 't' in a match without the debug keys");
  report.Expect(IsFlag(state.mirrored) && IsFlag(state.debugMode) && IsFlag(state.pinchActive) &&
                    IsFlag(state.rotateLatch),
                "mirrored %d, debugMode %d, pinchActive %d or rotateLatch %d is no flag",
                state.mirrored, state.debugMode, state.pinchActive, state.rotateLatch);
  // Solo gauges empty at 130 (a turn after the update may leave 131); a match's counters reset
  // at 50 steps and 100 turns.
  const int32_t moveMost = kind == PlayKind::Versus ? 49 : 129;
  const int32_t rotateMost = kind == PlayKind::Versus ? 99 : 131;
  report.Expect(Within(state.moveGauge, 0, moveMost), "moveGauge %d outside 0..%d", state.moveGauge,
                moveMost);
  report.Expect(Within(state.rotateGauge, 0, rotateMost), "rotateGauge %d outside 0..%d",
                state.rotateGauge, rotateMost);
  report.Expect(Within(state.gaugeTick, 0, 99), "gaugeTick %d outside 0..99", state.gaugeTick);
  report.Expect(Within(state.moveGaugePeriod, 2, 10) && Within(state.rotateGaugePeriod, 2, 20),
                "gauge periods %d (move) and %d (rotate) outside 2..10 and 2..20",
                state.moveGaugePeriod, state.rotateGaugePeriod);
  for (int32_t blink : {state.moveBlink, state.rotateBlink}) {
    report.Expect(blink == 0 || blink == 6 || blink == 15 || blink == 30, "gauge blink period %d",
                  blink);
  }
  report.Expect(IsFlag(state.moveWarning) && IsFlag(state.rotateWarning),
                "gauge warning flags %d, %d", state.moveWarning, state.rotateWarning);
  report.Expect(Within(state.scrollX, 0, 640) && Within(state.scrollY, 0, 480),
                "universe scrolled to %d, %d", state.scrollX, state.scrollY);
}

void CheckTitle(const TitleMenu& title, RuleReport& report) {
  report.Expect(Within(title.TitleLogoY, -501, 19), "TitleLogoY %d outside -501..19",
                title.TitleLogoY);
  report.Expect(title.MenuChoice == 's' || title.MenuChoice == 'e', "MenuChoice %d",
                title.MenuChoice);
  report.Expect(title.PlayMode == 's' || title.PlayMode == 'p' || title.PlayMode == 'c',
                "PlayMode %d", title.PlayMode);
  report.Expect(title.versusMode == (title.PlayMode != 's') &&
                    title.computerPlayer == (title.PlayMode == 'c'),
                "versusMode %d and computerPlayer %d disagree with PlayMode '%c'", title.versusMode,
                title.computerPlayer, static_cast<char>(title.PlayMode));
  report.Expect(IsFlag(title.ModeKeyLatch), "ModeKeyLatch %d", title.ModeKeyLatch);
  report.Expect(Within(title.StartZoom, 0, 130 * 40) && title.StartZoom % 40 == 0, "StartZoom %d",
                title.StartZoom);
}

void CheckComputerAndMatch(const GameState& state, RuleReport& report) {
  const ComputerPlayer& cpu = state.computer;
  report.Expect(Within(cpu.targetColumn, 0, 6) && Within(cpu.targetRow, 0, 12),
                "computer target row %d, column %d outside the well", cpu.targetRow,
                cpu.targetColumn);
  report.Expect(cpu.clockwiseTurns >= 0 && cpu.counterClockwiseTurns >= 0,
                "computer turns pending %d, %d below 0", cpu.clockwiseTurns,
                cpu.counterClockwiseTurns);
  report.Expect(Within(cpu.computerDropCounter, 0, FallIntervalStart) &&
                    Within(cpu.computerMoveCounter, 0, FallIntervalStart) && IsFlag(cpu.planNeeded),
                "computer counters %d (drop), %d (move), planNeeded %d", cpu.computerDropCounter,
                cpu.computerMoveCounter, cpu.planNeeded);
  const MatchState& match = state.match;
  report.Expect(Within(match.matchEndCounter, 0, 49) && IsFlag(match.debugLatch),
                "matchEndCounter %d or debugLatch %d", match.matchEndCounter, match.debugLatch);
  const bool lost = state.side1.sideState == SideLost || state.side2.sideState == SideLost;
  report.Expect(match.matchEndCounter == 0 || (state.CurrentScene == SceneVersus && lost),
                "matchEndCounter %d while no side has lost a match", match.matchEndCounter);
  for (int side : {1, 2}) {
    report.Expect(
        SideOf(state, side).sideState != SideWon || SideOf(state, 3 - side).sideState == SideLost,
        "side %d has won while side %d has not lost", side, 3 - side);
  }
}

}  // namespace

void CheckCounters(const GameState& state, RuleReport& report) {
  report.Expect(Within(state.CurrentScene, SceneTitle, SceneQuit) && state.SceneFrame >= 0,
                "CurrentScene %d, SceneFrame %d", state.CurrentScene, state.SceneFrame);
  report.Expect(state.score >= 0, "score %d below 0", state.score);
  CheckSide(state, 1, report);
  CheckSide(state, 2, report);
  report.Expect(state.side2.colourCount <= state.side1.colourCount,
                "side 2 plays %d colours, more than side 1's %d", state.side2.colourCount,
                state.side1.colourCount);
  CheckNextPair(state, report);
  CheckGaugesAndView(state, report);
  CheckTitle(state.title, report);
  CheckComputerAndMatch(state, report);
}
