// The falling pair: moves against the well, key repeat, drops, the eight turns with their kicks,
// and the lock.
#include "game_test_support.h"
#include "solo/pair.h"
#include "solo/solo_scene.h"

namespace {

class SoloPairTest : public GameTest {
 protected:
  // Puts side 1's pair (codes 1 and 2) into `rows` with its first half at (row, column).
  static void Place(int orientation, int row, int column,
                    const std::vector<std::string>& rows = {}) {
    SetWellRows(1, rows);
    FallingPairRecord& p = Game.side1.FallingPair;
    p = {row,
         column,
         row + (orientation == 'b') - (orientation == 't'),
         column + (orientation == 'r') - (orientation == 'l'),
         1,
         2,
         orientation,
         1};
    Game.side1.Board[p.row1 * 8 + p.col1] = 1;
    Game.side1.Board[p.row2 * 8 + p.col2] = 2;
    Game.side1.fallInterval = 1000;
  }
  static std::array<int, 4> Where() {
    const FallingPairRecord& p = Game.side1.FallingPair;
    return {p.row1, p.col1, p.row2, p.col2};
  }
  // The well holds the pair where its record says, and no other 1 or 2.
  static bool PairInWell() {
    const FallingPairRecord& p = Game.side1.FallingPair;
    int halves = 0;
    for (int32_t cell : Game.side1.Board)
      halves += cell == 1 || cell == 2;
    return halves == 2 && Cell(1, p.row1, p.col1) == 1 && Cell(1, p.row2, p.col2) == 2;
  }
};

TEST_F(SoloPairTest, AMoveIsAllowedExactlyWhenTheNewlyTakenCellsAreFree) {
  for (int o : {'t', 'b', 'l', 'r'}) {
    for (int dir : {'d', 'l', 'r'}) {
      for (bool blocked : {false, true}) {
        Place(o, 5, 3);
        const auto at = Where();
        const int dr = dir == 'd', dc = (dir == 'r') - (dir == 'l');
        const std::array<int, 4> moved{at[0] + dr, at[1] + dc, at[2] + dr, at[3] + dc};
        for (int half = 0; blocked && half < 2; ++half) {
          int32_t& cell = Game.side1.Board[moved[2 * half] * 8 + moved[2 * half + 1]];
          if (cell == CellEmpty)
            cell = 3;
        }
        Game.side1.moveRepeat = 4;
        Game.side1.FallingPair = {moved[0], moved[1], moved[2], moved[3], 1, 2, o, 1};
        const bool free = TryPairMove(1, dir);
        EXPECT_EQ(Where(), blocked ? at : moved) << char(o) << char(dir);
        // An upright drop reports false even when it happens; a blocked step resets the repeat.
        EXPECT_EQ(free, !blocked && !(dir == 'd' && (o == 't' || o == 'b')));
        EXPECT_EQ(Game.side1.moveRepeat, blocked && dir != 'd' ? 16 : 4);
      }
    }
  }
  Place('t', 5, 3, {"", "", "", "", "...3"});  // beside the lower half only
  Hold({KeyRight});
  ControlPair(1);
  EXPECT_TRUE(Game.side1.FallingPair.col1 == 3 && Game.side1.moveRepeat == 8);
}

TEST_F(SoloPairTest, KeyRepeatStepsOnThePressThenAfter8421FramesAndWaits16AfterTheWall) {
  Place('t', 5, 1);
  Hold({KeyRight});
  std::vector<int> attempts;
  for (int f = 0; f < 40; ++f) {
    const int gauge = Game.moveGauge;
    ControlPair(1);
    if (Game.moveGauge != gauge)
      attempts.push_back(f);
  }
  EXPECT_EQ(attempts, (std::vector<int>{0, 8, 12, 14, 15, 16, 32}));
  EXPECT_TRUE(Where() == (std::array<int, 4>{5, 6, 4, 6}) && PairInWell());
  Hold({KeyLeft, KeyRight});  // Right wins
  ControlPair(1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 6);
}

TEST_F(SoloPairTest, InOpenSpaceTheSecondHalfGoesAQuarterTurnAroundTheFirst) {
  const char* clockwise = "trbl";  // each turns into the next
  for (int i = 0; i < 4; ++i) {
    for (bool cw : {true, false}) {
      Place(clockwise[i], 5, 3);
      cw ? RotatePairClockwise(1) : RotatePairCounterClockwise(1);
      EXPECT_EQ(Game.side1.FallingPair.orientation, clockwise[(i + (cw ? 1 : 3)) % 4]);
      EXPECT_TRUE(Where()[0] == 5 && Where()[1] == 3 && PairInWell());
    }
  }
}

TEST_F(SoloPairTest, KicksMoveTheFirstHalfAwayFromWallsFloorAndPlanets) {
  struct Case {
    int orientation;
    bool cw;
    int row, column;  // first half
    const char* row5;
    int endRow, endCol, endOrientation;
  } cases[] = {
      {'t', true, 5, 6, "", 5, 5, 'r'},        {'t', true, 5, 6, "....3.", 5, 6, 't'},
      {'t', true, 5, 3, "...3..", 5, 2, 'r'},  {'t', false, 5, 1, "", 5, 2, 'l'},
      {'b', true, 5, 1, "", 5, 2, 'l'},        {'b', false, 5, 6, "", 5, 5, 'r'},
      {'b', false, 5, 6, "....3.", 5, 6, 'b'}, {'r', true, 11, 3, "", 10, 3, 'b'},
      {'l', false, 11, 3, "", 10, 3, 'b'},
  };
  for (const Case& c : cases) {
    Place(c.orientation, c.row, c.column, {"", "", "", "", c.row5});
    c.cw ? RotatePairClockwise(1) : RotatePairCounterClockwise(1);
    const FallingPairRecord& p = Game.side1.FallingPair;
    EXPECT_TRUE(p.row1 == c.endRow && p.col1 == c.endCol && p.orientation == c.endOrientation &&
                PairInWell())
        << char(c.orientation) << c.cw << " at " << c.column;
  }
}

TEST_F(SoloPairTest, AnUpwardKickIntoATakenCellOrAboveRowZeroDoesNothing) {
  Place('r', 11, 3, {"", "", "", "", "", "", "", "", "", "..3"});  // a planet hangs above
  const WellGrid before = Game.side1.Board;
  RotatePairClockwise(1);
  EXPECT_EQ(Game.side1.Board, before);
  // A turn upward into a planet has no kick, even with room below the pair.
  for (int o : {'r', 'l'}) {
    Place(o, 5, 3, {"", "", "", "..3"});
    const WellGrid lying = Game.side1.Board;
    o == 'r' ? RotatePairCounterClockwise(1) : RotatePairClockwise(1);
    EXPECT_TRUE(Game.side1.Board == lying && Game.side1.FallingPair.orientation == o) << char(o);
  }
  Place('l', 0, 3, {"..3"});
  RotatePairCounterClockwise(1);  // the kick would reach row -1
  RotatePairClockwise(1);         // so would the turn upward
  EXPECT_TRUE(Where()[0] == 0 && Game.side1.FallingPair.orientation == 'l' && PairInWell());
}

TEST_F(SoloPairTest, LocksAfter14LandedFramesInAllEvenWhenPushedOffALedge) {
  Place('t', 10, 3, {"", "", "", "", "", "", "", "", "", "", "..3"});
  for (int f = 0; f < 10; ++f)
    ASSERT_EQ(SoloPlayFrame(), SceneSolo);
  Game.side1.Board[11 * 8 + 3] = CellEmpty;  // the ledge goes
  Game.side1.fallCounter = 999;
  for (int f = 0; f < 4; ++f)
    EXPECT_EQ(SoloPlayFrame(), SceneSolo);  // falls, then 3 landed
  drawCalls.clear();
  EXPECT_EQ(SoloPlayFrame(), SceneSoloChain);
  EXPECT_TRUE(drawCalls.empty() && Game.score == 50 && !Game.side1.FallingPair.pairActive);
}

}  // namespace
