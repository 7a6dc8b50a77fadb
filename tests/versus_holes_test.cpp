// The black hole's captures into each well's own list, and the white hole that gives them back.
#include "game_test_support.h"
#include "versus/holes.h"

namespace {

class VersusHolesTest : public GameTest {
 protected:
  // A 1 x 1 black hole whose core covers the centre of (row 5, column 2) of the side's well.
  static void HoleOverRowFiveColumnTwo(int side) {
    Game.BlackHole = {1, side == 1 ? 408 : 88, 184, 0, 0, 1, 1, 0, 0, 0, 0};
    CaptureCells();
  }
  static std::vector<int32_t> Listed(int side) {
    const CapturedList& list = Side(side).CapturedPlanets;
    return std::vector<int32_t>(list.codes.begin(), list.codes.begin() + list.count);
  }
  static void RunWhiteHole(int targetSide, int frames) {
    Game.BlackHole.targetSide = targetSide;
    StartWhiteHole();
    for (int i = 0; i < frames && Game.WhiteHole.active; ++i) {
      MoveWhiteHole();
      DrawWhiteHole();
      ReleaseCells();
    }
  }
};

TEST_F(VersusHolesTest, CapturesIntoEachWellsOwnListButNeverThePairsOrIntoAFullList) {
  Game.side1.Board[5 * WellColumns + 2] = 4;
  Game.side2.Board[5 * WellColumns + 2] = 8;
  Game.side1.FallingPair = {5, 2, 4, 2, 4, 4, 't', 0};
  HoleOverRowFiveColumnTwo(1);
  EXPECT_EQ(Cell(1, 5, 2), 4);
  Game.side1.FallingPair.col1 = Game.side1.FallingPair.col2 = 3;
  HoleOverRowFiveColumnTwo(1);
  HoleOverRowFiveColumnTwo(2);
  EXPECT_EQ(Cell(1, 5, 2), CellEmpty);
  EXPECT_EQ(Cell(2, 5, 2), CellEmpty);
  EXPECT_EQ(Listed(1), std::vector<int32_t>{4});
  EXPECT_EQ(Listed(2), std::vector<int32_t>{8});
  Game.side2.Board[5 * WellColumns + 2] = 3;
  Game.side2.CapturedPlanets.count = CapturedCapacity;
  HoleOverRowFiveColumnTwo(2);
  EXPECT_EQ(Cell(2, 5, 2), 3);
}

TEST_F(VersusHolesTest, WhiteHoleDropsLatestCaptureFirstLeftToRightThenEnds) {
  Game.side2.CapturedPlanets = {{1, 2, 3}, 3};
  RunWhiteHole(1, 200);
  EXPECT_FALSE(Game.WhiteHole.active);
  EXPECT_EQ(Game.WhiteHole.y, 56);  // it ended in its first sweep, over the right well
  std::vector<int32_t> row1;
  for (int column = 1; column <= 6; ++column) {
    row1.push_back(Cell(1, 1, column));
  }
  EXPECT_EQ(row1, (std::vector<int32_t>{3, 2, 0, 1, 0, 0}));  // the spawn cell is skipped
}

TEST_F(VersusHolesTest, WhiteHoleSweepsRowByRowAndDiscardsBelowTheThirdRow) {
  SetWellRows(2, {"111111", "222222", "333333"});
  Game.side1.CapturedPlanets.count = 10;
  RunWhiteHole(2, 49);
  EXPECT_EQ(Game.WhiteHole.x, 32);  // back at the start of its sweep, one row lower
  EXPECT_EQ(Game.WhiteHole.y, 88);
  RunWhiteHole(2, 1000);
  EXPECT_EQ(Game.WhiteHole.y, 152);
  EXPECT_EQ(Game.side1.CapturedPlanets.count, 0);
  EXPECT_EQ(Cell(2, 4, 1), CellEmpty);
}

TEST_F(VersusHolesTest, WhiteHoleOverAFullWellEndsBelowItsLastRow) {
  SetWellRows(1, std::vector<std::string>(11, "123123"));
  Game.side2.CapturedPlanets.count = 5;
  RunWhiteHole(1, 1000);
  EXPECT_FALSE(Game.WhiteHole.active);
  EXPECT_EQ(Game.WhiteHole.y, 408);
  EXPECT_EQ(Game.side2.CapturedPlanets.count, 0);
}

}  // namespace
