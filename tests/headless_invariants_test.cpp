// The state rules of the headless runner's --check: broken states are named, and the moments the
// game's own rules allow (a pair's second half still outside the well, the Home key of a test
// start, the sun recolouring the pair, more than 30 removals) pass.
#include <gtest/gtest.h>

#include <string>

#include "game_test_support.h"
#include "invariants.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"

namespace {

// A state as the game leaves it: the star field filled as the start-up fills it.
GameState SettledState(int32_t scene) {
  GameState state;
  for (Star& star : state.StarField) {
    star.stepX = 2;
    star.stepY = 3;
    star.size = 6;
  }
  state.CurrentScene = scene;
  state.FrameCount = 100;
  state.SceneFrame = 5;
  return state;
}

// Solo play with an upright pair of codes 1 (first half, row 5) and 2 (second half, row 4) in
// column 3, both in the well.
GameState SoloPairState() {
  GameState state = SettledState(SceneSolo);
  FallingPairRecord& pair = state.side1.FallingPair;
  pair = FallingPairRecord{5, 3, 4, 3, 1, 2, 't', 1};
  state.side1.Board[5 * WellColumns + 3] = 1;
  state.side1.Board[4 * WellColumns + 3] = 2;
  return state;
}

GameState VersusState() {
  GameState state = SettledState(SceneVersus);
  state.title.PlayMode = 'p';
  state.title.versusMode = 1;
  return state;
}

// The state one frame on.
GameState Next(GameState state) {
  ++state.FrameCount;
  ++state.SceneFrame;
  return state;
}

std::string CheckStep(const GameState& before, const GameState& after) {
  InvariantChecker checker;
  checker.Begin(before);
  return checker.Check(after);
}

std::string CheckOne(const GameState& state) {
  GameState before = state;
  --before.FrameCount;
  --before.SceneFrame;
  return CheckStep(before, state);
}

void ExpectBroken(const GameState& state, const std::string& phrase) {
  std::string broken = CheckOne(state);
  EXPECT_NE(broken.find(phrase), std::string::npos) << "got: \"" << broken << "\"";
}

int Index(int row, int column) {
  return row * WellColumns + column;
}

}  // namespace

TEST(HeadlessInvariants, LegalStatesPass) {
  EXPECT_EQ(CheckOne(SettledState(SceneTitle)), "");
  EXPECT_EQ(CheckOne(SoloPairState()), "");
  GameState versus = VersusState();
  versus.side2.Board[Index(11, 2)] = CellBlackHole;
  versus.side1.Board[Index(11, 2)] = CellSun;
  EXPECT_EQ(CheckOne(versus), "");
}

TEST(HeadlessInvariants, NamesBrokenWellsAndCells) {
  GameState wall = SoloPairState();
  wall.side2.Board[Index(12, 4)] = CellEmpty;
  ExpectBroken(wall, "side 2: the wall at row 12, column 4 holds 0");

  GameState colour = SoloPairState();
  colour.side1.Board[Index(11, 1)] = 4;  // three colours in play
  ExpectBroken(colour, "side 1: row 11, column 1 holds 4, outside 0..colourCount");

  GameState secondWell = SoloPairState();
  secondWell.side2.Board[Index(11, 1)] = 1;
  ExpectBroken(secondWell, "side 2's well stays empty in solo play");

  GameState versus = VersusState();
  versus.side2.Board[Index(11, 6)] = 9;
  ExpectBroken(versus, "side 2: row 11, column 6 holds 9");

  GameState title = SettledState(SceneTitle);
  title.side1.Board[Index(3, 3)] = 2;
  ExpectBroken(title, "the reset before the title empties the wells");
}

TEST(HeadlessInvariants, NamesCountsOutsideTheirTables) {
  GameState removed = SoloPairState();
  removed.CurrentScene = SceneSoloChain;
  removed.side1.removedCount = 67;
  ExpectBroken(removed, "removedCount 67 outside 0..66");

  GameState explosion = SoloPairState();
  explosion.CurrentScene = SceneSoloChain;
  explosion.side1.removedCount = 3;
  explosion.side1.ExplosionTable[2].frame = 15;
  ExpectBroken(explosion, "explosion record 2");

  GameState marks = SoloPairState();
  marks.side1.RemovalMarks[Index(4, 4)] = 1;
  ExpectBroken(marks, "removal mark left at row 4, column 4");

  GameState captured = VersusState();
  captured.side1.CapturedPlanets.count = 31;
  ExpectBroken(captured, "31 captured planets");

  GameState lock = SoloPairState();
  lock.side1.phaseCounter = 14;
  ExpectBroken(lock, "phaseCounter 14 outside 0..13");
}

TEST(HeadlessInvariants, NamesIllegalViewSceneAndSideValues) {
  GameState mirror = SoloPairState();
  mirror.mirrored = 2;
  ExpectBroken(mirror, "mirrored 2");

  GameState view = VersusState();
  view.viewDirection = 't';
  ExpectBroken(view, "viewDirection 't' in a match without the debug keys");
  view.debugMode = 1;
  EXPECT_EQ(CheckOne(view), "");

  GameState ended = SettledState(SceneTitle);
  ended.match.matchEndCounter = 6;
  ExpectBroken(ended, "matchEndCounter 6 while no side has lost a match");

  GameState won = VersusState();
  won.side1.sideState = SideWon;
  ExpectBroken(won, "side 1 has won while side 2 has not lost");

  GameState scene = SettledState(SceneGameOver);
  GameState before = SettledState(SceneTitle);
  scene.SceneFrame = 0;
  scene.FrameCount = 101;
  EXPECT_NE(CheckStep(before, scene).find("switched from SceneTitle to SceneGameOver"),
            std::string::npos);

  GameState threshold = Next(SoloPairState());
  threshold.thresholds.sunThreshold = 2000;
  EXPECT_NE(CheckStep(SoloPairState(), threshold).find("sunThreshold went from 3000 to 2000"),
            std::string::npos);
}

TEST(HeadlessInvariants, FollowsTheFallingPair) {
  GameState overwritten = Next(SoloPairState());
  overwritten.side1.Board[Index(5, 3)] = 3;
  EXPECT_NE(CheckStep(SoloPairState(), overwritten).find("first half at row 5, column 3 holds 3"),
            std::string::npos);

  GameState bent = SoloPairState();
  bent.side1.FallingPair.orientation = 'r';
  ExpectBroken(bent, "does not match its orientation 'r'");

  // A pair that has moved must have written its second half.
  GameState fresh = SettledState(SceneSolo);
  GameState moved = Next(fresh);
  moved.side1.FallingPair = FallingPairRecord{2, 3, 1, 3, 1, 2, 't', 1};
  moved.side1.Board[Index(2, 3)] = 1;
  EXPECT_NE(CheckStep(fresh, moved).find("second half is not in the well"), std::string::npos);
}

TEST(HeadlessInvariants, AllowsWhatTheRulesAllow) {
  // A new pair: the first half at row 1, the second still above the well.
  GameState fresh = SettledState(SceneSolo);
  GameState spawned = Next(fresh);
  spawned.side1.FallingPair = FallingPairRecord{1, 3, 0, 3, 2, 1, 't', 1};
  spawned.side1.Board[Index(1, 3)] = 2;
  EXPECT_EQ(CheckStep(fresh, spawned), "");

  // The same in a match, for the side that just took its pair.
  GameState match = VersusState();
  GameState taken = Next(match);
  taken.side2.sideState = SideFalling;
  taken.side2.FallingPair = FallingPairRecord{1, 3, 0, 3, CellSun, CellBlackHole, 't', 0};
  taken.side2.Board[Index(1, 3)] = CellSun;
  EXPECT_EQ(CheckStep(match, taken), "");

  // Home in a test start empties the well and leaves the pair out of it.
  GameState playing = SoloPairState();
  playing.debugMode = 1;
  GameState home = Next(playing);
  home.side1.Board = EmptyWellGrid();
  home.side1.FallingPair = FallingPairRecord{1, 3, 0, 3, 1, 2, 't', 1};
  EXPECT_EQ(CheckStep(playing, home), "");

  // The sun's end may recolour the pair's own cells until its next move.
  GameState sunny = SoloPairState();
  sunny.Sun = SunRecord{1, 557, 4};
  GameState recoloured = Next(sunny);
  recoloured.Sun = SunRecord{0, 558, 5};
  recoloured.side1.Board[Index(5, 3)] = 3;
  EXPECT_EQ(CheckStep(sunny, recoloured), "");

  // More cells removed in one step than the table holds, and a sun's marks in the hidden row.
  GameState crowded = VersusState();
  crowded.side1.sideState = SideChain;
  crowded.side1.removedCount = 40;
  crowded.side1.RemovalMarks[Index(0, 2)] = 1;
  crowded.side1.RemovalMarks[Index(1, 2)] = 1;
  EXPECT_EQ(CheckOne(crowded), "");
}

// The game itself under the rules: a test start's F4 while "Win" and "Lose" are shown goes back
// to the title, whose reset must also forget how long the result had been shown.
class HeadlessInvariantsGame : public GameTest {};

TEST_F(HeadlessInvariantsGame, DebugExitDuringTheResultLeavesNoCountBehind) {
  Game = VersusState();
  Game.debugMode = 1;
  Game.side2.sideState = SideLost;
  InvariantChecker checker;
  checker.Begin(Game);
  for (int frame = 0; frame < 6; ++frame) {
    if (frame == 5) {
      Hold({KeyF4});
    }
    UpdateScene();
    ++Game.FrameCount;
    ASSERT_EQ(checker.Check(Game), "") << "frame " << frame;
  }
  EXPECT_EQ(Game.CurrentScene, SceneTitle);
  EXPECT_EQ(Game.match.matchEndCounter, 0);
}
