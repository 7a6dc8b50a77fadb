// The computer opponent: which cell its rules choose, how it turns and steers, and its wandering.
#include "game_test_support.h"
#include "versus/computer.h"
#include "versus/match.h"

namespace {

class VersusComputerTest : public GameTest {};

struct PlanCase {
  const char* what;
  int32_t a, b;                         // the pair's codes
  std::vector<std::string> bottomRows;  // the well's lowest rows, the highest of them first
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
    std::vector<std::string> rows(11 - c.bottomRows.size(), "......");
    rows.insert(rows.end(), c.bottomRows.begin(), c.bottomRows.end());
    SetWellRows(2, rows);
    Game.NextPair = {c.a - 1, c.b - 1};
    TakeNextPair(2);
    Game.computer = ComputerPlayer{};
    PlanComputerMove();
    const ComputerPlayer& cpu = Game.computer;
    EXPECT_EQ((std::vector<int>{cpu.targetRow, cpu.targetColumn, cpu.clockwiseTurns,
                                cpu.counterClockwiseTurns}),
              c.plan)
        << c.what;
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
