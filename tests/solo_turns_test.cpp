// Quarter turns of the pair: the eight cases, their kicks against walls and floor, and the
// upward kick that only moves into a free cell.
#include "game_test_support.h"
#include "solo/pair.h"

namespace {

class SoloTurnsTest : public GameTest {
 protected:
  static void Place(int orientation, int row, int column) {
    FallingPairRecord& p = Game.side1.FallingPair;
    p = {};
    p.orientation = orientation;
    p.row1 = p.row2 = row;
    p.col1 = p.col2 = column;
    p.row2 += orientation == 't' ? -1 : orientation == 'b' ? 1 : 0;
    p.col2 += orientation == 'l' ? -1 : orientation == 'r' ? 1 : 0;
    p.code1 = 1;
    p.code2 = 2;
    Game.side1.Board[p.row1 * 8 + p.col1] = 1;
    Game.side1.Board[p.row2 * 8 + p.col2] = 2;
  }
  // The pair's record and the well must agree: both halves written, nothing else of codes 1, 2.
  static void ExpectPairInWell() {
    const FallingPairRecord& p = Game.side1.FallingPair;
    int ones = 0, twos = 0;
    for (int i = 0; i < WellCells; ++i) {
      ones += Game.side1.Board[i] == 1;
      twos += Game.side1.Board[i] == 2;
    }
    EXPECT_TRUE(ones == 1 && twos == 1);
    EXPECT_EQ(Cell(1, p.row1, p.col1), 1);
    EXPECT_EQ(Cell(1, p.row2, p.col2), 2);
  }
};

TEST_F(SoloTurnsTest, InOpenSpaceTheSecondHalfGoesAQuarterTurnAroundTheFirst) {
  const char* clockwise = "trbl";  // each turns into the next
  for (int i = 0; i < 4; ++i) {
    for (bool cw : {true, false}) {
      SetWellRows(1, {});
      Place(clockwise[i], 5, 3);
      cw ? RotatePairClockwise(1) : RotatePairCounterClockwise(1);
      const char expected = clockwise[(i + (cw ? 1 : 3)) % 4];
      EXPECT_EQ(Game.side1.FallingPair.orientation, expected) << clockwise[i] << cw;
      EXPECT_TRUE(Game.side1.FallingPair.row1 == 5 && Game.side1.FallingPair.col1 == 3);
      ExpectPairInWell();
    }
  }
}

TEST_F(SoloTurnsTest, KicksMoveTheFirstHalfAwayFromWallsFloorAndPlanets) {
  struct Case {
    int orientation;
    bool cw;
    int row, column;     // first half
    const char* row5;    // planets in row 5 (row 4 is the second half's row for 't')
    int endRow, endCol;  // first half afterwards
    int endOrientation;
  } cases[] = {
      {'t', true, 5, 6, "", 5, 5, 'r'},         // right wall: shift left
      {'t', true, 5, 6, "....3.", 5, 6, 't'},   // ... unless the left is taken
      {'t', true, 5, 3, "...3..", 5, 2, 'r'},   // a planet on the right does the same
      {'t', false, 5, 1, "", 5, 2, 'l'},        // left wall: shift right
      {'b', true, 5, 1, "", 5, 2, 'l'},         // left wall: shift right
      {'b', false, 5, 6, "", 5, 5, 'r'},        // right wall: shift left
      {'b', false, 5, 6, "....3.", 5, 6, 'b'},  // ... unless the left is taken
      {'r', true, 11, 3, "", 10, 3, 'b'},       // floor: the first half goes up
      {'l', false, 11, 3, "", 10, 3, 'b'},      // floor: the first half goes up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << char(c.orientation) << c.cw << " at " << c.column);
    SetWellRows(1, {"", "", "", "", c.row5});
    Place(c.orientation, c.row, c.column);
    c.cw ? RotatePairClockwise(1) : RotatePairCounterClockwise(1);
    const FallingPairRecord& p = Game.side1.FallingPair;
    EXPECT_TRUE(p.row1 == c.endRow && p.col1 == c.endCol) << p.row1 << "," << p.col1;
    EXPECT_EQ(p.orientation, c.endOrientation);
    ExpectPairInWell();
  }
}

TEST_F(SoloTurnsTest, AnUpwardTurnOrKickIntoATakenCellDoesNothing) {
  // Lying on the floor under a hanging planet: the kick would overwrite it.
  SetWellRows(1, {"", "", "", "", "", "", "", "", "", "..3"});
  Place('r', 11, 3);
  const WellGrid before = Game.side1.Board;
  RotatePairClockwise(1);
  EXPECT_EQ(Game.side1.Board, before);
  EXPECT_EQ(Game.side1.FallingPair.orientation, 'r');
  // In the entry row the cell above is row -1, which blocks like a wall.
  SetWellRows(1, {"..3"});
  Place('l', 0, 3);
  RotatePairCounterClockwise(1);
  EXPECT_TRUE(Game.side1.FallingPair.row1 == 0 && Game.side1.FallingPair.orientation == 'l');
  RotatePairClockwise(1);  // upward from row 0
  EXPECT_EQ(Game.side1.FallingPair.orientation, 'l');
  ExpectPairInWell();
}

}  // namespace
