// The computer opponent: which cell its rules choose, how it turns and steers, and its wandering.
#include "game_test_support.h"
#include "versus/computer.h"
#include "versus/match.h"

namespace {

class VersusComputerTest : public GameTest {
 protected:
  // The well's lowest rows as given, above them empty; side 2 takes the pair (a, b) and plans.
  static ComputerPlayer PlanOn(const std::vector<std::string>& bottomRows, int32_t a, int32_t b) {
    std::vector<std::string> rows(11 - bottomRows.size(), "......");
    rows.insert(rows.end(), bottomRows.begin(), bottomRows.end());
    SetWellRows(2, rows);
    Game.NextPair = {a - 1, b - 1};
    TakeNextPair(2);
    Game.computer = ComputerPlayer{};
    PlanComputerMove();
    return Game.computer;
  }
};

struct PlanCase {
  const char* what;
  int32_t a, b;                         // the pair's codes
  std::vector<std::string> bottomRows;  // the well's lowest rows, the highest first; '5' is a
                                        // planet of neither of the pair's codes
  std::vector<int> plan;                // target row and column, clockwise and other turns
};

TEST_F(VersusComputerTest, PlansTheFirstCellInScanOrderByTheFirstRuleThatHolds) {
  std::vector<std::string> full(11, "123123");
  full[0] = "1.1213";
  std::vector<std::string> entry = full;
  entry[0] = "2.3213";
  const PlanCase cases[] = {
      {"row of A on the floor: upright", 1, 2, {"11...."}, {11, 3, 0, 0}},
      {"row of B: inverted", 1, 2, {"...22."}, {11, 3, 2, 0}},
      {"row of A resting a row lower: inverted", 1, 2, {"...11.", "33.333"}, {10, 3, 2, 0}},
      {"flat pair beside its colour", 3, 3, {"1.....", "3....."}, {11, 2, 1, 0}},
      {"falling diagonal from above", 1, 2, {"1.....", ".1....", "33.333"}, {11, 3, 0, 0}},
      {"higher before lower", 1, 2, {".....1", "11...1"}, {9, 6, 0, 0}},
      {"leftmost first", 1, 2, {".22.11"}, {11, 1, 2, 0}},
      {"row before column", 1, 2, {"22.3..", "..1...", "..1..."}, {9, 3, 2, 0}},
      {"column before diagonal", 1, 2, {"..21..", "..2.1."}, {9, 3, 2, 0}},
      {"top row, above it all wall", 1, 1, full, {1, 2, 0, 0}},
      {"the entry row is read as it is", 1, 1, entry, {1, 2, 1, 0}},
  };
  for (const PlanCase& c : cases) {
    ComputerPlayer cpu = PlanOn(c.bottomRows, c.a, c.b);
    EXPECT_EQ((std::vector<int>{cpu.targetRow, cpu.targetColumn, cpu.clockwiseTurns,
                                cpu.counterClockwiseTurns}),
              c.plan)
        << c.what;
  }
}

// One well per rule in which that rule, and no other anywhere, finds the cell: with any one of
// the pair's planets turned into another colour, the plan falls back to a random column.
TEST_F(VersusComputerTest, EveryRuleAloneMakesItsPlan) {
  const PlanCase cases[] = {
      {"rule 1", 1, 2, {"..11.."}, {11, 2, 0, 0}},
      {"rule 2", 1, 2, {"11...."}, {11, 3, 0, 0}},
      {"rule 3", 1, 2, {".1.1.."}, {11, 3, 0, 0}},
      {"rule 4", 1, 2, {"..22.."}, {11, 2, 2, 0}},
      {"rule 5", 1, 2, {"22...."}, {11, 3, 2, 0}},
      {"rule 6", 1, 2, {".2.2.."}, {11, 3, 2, 0}},
      {"rule 7", 1, 2, {"..11..", "......"}, {10, 2, 2, 0}},
      {"rule 8", 1, 2, {"11....", "......"}, {10, 3, 2, 0}},
      {"rule 9", 1, 2, {".1.1..", "......"}, {10, 3, 2, 0}},
      {"rule 10", 1, 2, {"..22..", "......"}, {10, 2, 0, 0}},
      {"rule 11", 1, 2, {"22....", "......"}, {10, 3, 0, 0}},
      {"rule 12", 1, 2, {".2.2..", "......"}, {10, 3, 0, 0}},
      {"rule 13", 3, 3, {"5.....", "3....."}, {11, 2, 1, 0}},
      {"rule 14", 3, 3, {".....5", ".....3"}, {11, 5, 0, 1}},
      {"rule 15", 1, 2, {"......", "..1...", "..1..."}, {9, 3, 0, 0}},
      {"rule 16", 1, 2, {"......", "..2...", "..2..."}, {9, 3, 2, 0}},
      {"rule 17", 3, 3, {"......", "..3..."}, {10, 3, 0, 0}},
      {"rule 18", 1, 2, {"......", ".51...", "...1.."}, {9, 2, 0, 0}},
      {"rule 19", 1, 2, {"1.....", ".1....", "......"}, {11, 3, 0, 0}},
      {"rule 20", 1, 2, {"1.....", "......", ".51..."}, {10, 2, 0, 0}},
      {"rule 21", 1, 2, {"......", ".52...", "...2.."}, {9, 2, 2, 0}},
      {"rule 22", 1, 2, {"2.....", ".2....", "......"}, {11, 3, 2, 0}},
      {"rule 23", 1, 2, {"2.....", "......", ".52..."}, {10, 2, 2, 0}},
      {"rule 24", 1, 2, {"......", "..1...", ".5.1.."}, {9, 2, 2, 0}},
      {"rule 25", 1, 2, {"1.....", ".1....", "......", "......"}, {10, 3, 2, 0}},
      {"rule 26", 1, 2, {"1.....", "......", "..1...", ".5...."}, {9, 2, 2, 0}},
      {"rule 27", 1, 2, {"......", "..2...", ".5.2.."}, {9, 2, 0, 0}},
      {"rule 28", 1, 2, {"2.....", ".2....", "......", "......"}, {10, 3, 0, 0}},
      {"rule 29", 1, 2, {"2.....", "......", "..2...", ".5...."}, {9, 2, 0, 0}},
      {"rule 30", 3, 3, {"5.....", "3.....", "......", ".5....", "..5..."}, {9, 2, 1, 0}},
      {"rule 31", 3, 3, {"5.....", ".53..."}, {10, 2, 0, 1}},
      {"rule 32", 1, 2, {"......", "...15.", "..1..."}, {9, 5, 0, 0}},
      {"rule 33", 1, 2, {".....1", "....1.", "......"}, {11, 4, 0, 0}},
      {"rule 34", 1, 2, {".....1", "......", "...15."}, {10, 5, 0, 0}},
      {"rule 35", 1, 2, {"......", "...25.", "..2..."}, {9, 5, 2, 0}},
      {"rule 36", 1, 2, {".....2", "....2.", "......"}, {11, 4, 2, 0}},
      {"rule 37", 1, 2, {".....2", "......", "...25."}, {10, 5, 2, 0}},
      {"rule 38", 1, 2, {"......", "...1..", "..1.5."}, {9, 5, 2, 0}},
      {"rule 39", 1, 2, {".....1", "....1.", "......", "......"}, {10, 4, 2, 0}},
      {"rule 40", 1, 2, {".....1", "......", "...1..", "....5."}, {9, 5, 2, 0}},
      {"rule 41", 1, 2, {"......", "...2..", "..2.5."}, {9, 5, 0, 0}},
      {"rule 42", 1, 2, {".....2", "....2.", "......", "......"}, {10, 4, 0, 0}},
      {"rule 43", 1, 2, {".....2", "......", "...2..", "....5."}, {9, 5, 0, 0}},
      {"rule 44", 3, 3, {".....5", ".....3", "......", "....5.", "...5.."}, {9, 5, 0, 1}},
      {"rule 45", 3, 3, {"...5.5", "...35."}, {10, 5, 1, 0}},
  };
  for (const PlanCase& c : cases) {
    ComputerPlayer cpu = PlanOn(c.bottomRows, c.a, c.b);
    EXPECT_EQ((std::vector<int>{cpu.targetRow, cpu.targetColumn, cpu.clockwiseTurns,
                                cpu.counterClockwiseTurns}),
              c.plan)
        << c.what;
    for (size_t row = 0; row < c.bottomRows.size(); ++row) {
      for (size_t column = 0; column < 6; ++column) {
        std::vector<std::string> spoiled = c.bottomRows;
        char& cell = spoiled[row][column];
        if (cell == '.' || cell == '5') {
          continue;
        }
        cell = '5';
        EXPECT_EQ(PlanOn(spoiled, c.a, c.b).targetRow, 12)
            << c.what << " without its planet in column " << column + 1;
      }
    }
  }
}

TEST_F(VersusComputerTest, InvertedLandingTurnsTwiceAtDropFramesThenPushesDown) {
  SetWellRows(2, {"", "", "", "", "", "", "", "", "", "", "...22."});
  Game.NextPair = {0, 1};
  TakeNextPair(2);
  int32_t lastScore = 0;
  for (int frame = 1; frame <= 400; ++frame) {
    int32_t orientation = Game.side2.FallingPair.orientation;
    int32_t row = Game.side2.FallingPair.row1;
    ComputerStep();
    const FallingPairRecord& pair = Game.side2.FallingPair;
    if (pair.orientation != orientation) {
      EXPECT_TRUE(frame == 25 || frame == 50) << frame;
    }
    if (Game.score != lastScore) {  // an extra drop: one point, one row while there is room
      EXPECT_EQ(Game.score, lastScore + 1);
      EXPECT_TRUE(pair.row1 == row + 1 || pair.row1 == 10);
      EXPECT_GT(frame, 50);
      lastScore = Game.score;
    }
  }
  EXPECT_EQ(Game.side2.FallingPair.orientation, 'b');
  EXPECT_EQ(Cell(2, 11, 3), 2);
  EXPECT_EQ(Cell(2, 10, 3), 1);
  EXPECT_GT(Game.score, 7);
}

TEST_F(VersusComputerTest, WandersWhileHighWithoutAPlanThenAimsAndDrops) {
  Game.NextPair = {0, 1};
  TakeNextPair(2);
  int steps = 0;
  for (int frame = 1; frame < 125; ++frame) {  // the drop of frame 125 reaches row 6
    int32_t column = Game.side2.FallingPair.col1;
    ComputerStep();
    steps += Game.side2.FallingPair.col1 != column;
    EXPECT_TRUE(Game.side2.FallingPair.col1 == column || frame % 12 == 0) << frame;
  }
  EXPECT_GT(steps, 0);
  EXPECT_EQ(Game.computer.targetRow, 12);
  EXPECT_EQ(Game.score, 0);
  for (int frame = 0; frame < 30; ++frame) {
    ComputerStep();
  }
  EXPECT_EQ(Game.side2.FallingPair.col1, Game.computer.targetColumn);
  EXPECT_GT(Game.score, 0);
}

}  // namespace
