// A side's chain phase in a match: scoring into the shared score, the chain attack, the overflow,
// and what removed suns and black-hole pieces do.
#include "versus/versus_chain.h"
#include "game_test_support.h"

namespace {

class VersusChainTest : public GameTest {
 protected:
  // Runs side 1's next scan at once on the given bottom rows (lowest first).
  int32_t Scan(std::vector<std::string> bottomRows, int32_t chainCount) {
    Game.CurrentScene = SceneVersus;
    std::vector<std::string> rows(11 - bottomRows.size(), "......");
    rows.insert(rows.end(), bottomRows.rbegin(), bottomRows.rend());
    SetWellRows(1, rows);
    Game.side1.chainCount = chainCount;
    Game.side1.removedCount = 0;
    Game.side1.RemovalMarks = {};
    Game.side1.phaseCounter = 29;
    sounds().clear();
    return VersusChainStep(1);
  }
};

TEST_F(VersusChainTest, ScansScoreIntoTheSharedScoreWithTheirChainSounds) {
  EXPECT_EQ(Scan({"111..."}, 0), SideChain);
  EXPECT_EQ(Game.score, 90);
  EXPECT_EQ(Game.side1.ExplosionTable[0].x, 384);
  EXPECT_EQ(sounds().back().id, SndBom);
  Scan({"2222.."}, 1);
  EXPECT_EQ(Game.score, 90 + 440);
  EXPECT_EQ(sounds().back().id, SndChain2);
  Scan({"333..."}, 2);
  EXPECT_EQ(Game.score, 90 + 440 + 760);
  EXPECT_EQ(sounds().back().id, SndChain3);
}

TEST_F(VersusChainTest, FourRemovingScansSlowTheOtherSideNotThreeAndAFullSpawnCellLoses) {
  EXPECT_EQ(Scan({"12...."}, 3), SideNewPair);
  EXPECT_EQ(Game.side2.fallInterval, 25);
  Scan({"12...."}, 4);
  EXPECT_EQ(Game.side2.fallInterval, 24);
  EXPECT_EQ(Game.side1.chainCount, 0);
  std::vector<std::string> column(11, "..1...");
  for (size_t row = 1; row < column.size(); row += 2) {
    column[row][2] = '2';
  }
  EXPECT_EQ(Scan(column, 0), SideLost);
}

TEST_F(VersusChainTest, ThreeSunsInARowExplodeTwiceClearingEighteenButNeverAWall) {
  Scan({"123123", "231231", ".777.."}, 0);
  EXPECT_EQ(Game.side1.removedCount, 18);
  EXPECT_EQ(Game.side1.ExplosionTable[17].colourIndex, 2);
  EXPECT_EQ(std::count_if(sounds().begin(), sounds().end(), [](auto& s) { return s.id == SndSun; }),
            2);
  EXPECT_EQ(Cell(1, 10, 5), CellEmpty);
  EXPECT_EQ(Cell(1, 10, 6), 1);  // outside both blocks
  // In the corner the blocks reach the wall and the floor, which are neither counted nor cleared.
  Scan({"777..."}, 0);
  EXPECT_EQ(Game.side1.removedCount, 4 + 6);
  for (int column = 0; column <= 4; ++column)
    EXPECT_EQ(Cell(1, 12, column), CellWall) << column;
  EXPECT_TRUE(Cell(1, 10, 0) == CellWall && Cell(1, 11, 0) == CellWall);
}

TEST_F(VersusChainTest, MoreRemovalsThanRecordsAreAllCounted) {
  Scan(std::vector<std::string>(6, "111111"), 0);
  EXPECT_EQ(Game.side1.removedCount, 36);
  EXPECT_EQ(Game.score, 30 * 36);
  EXPECT_EQ(Game.side1.rotateLatch, 0);  // the field after the table is untouched
}

TEST_F(VersusChainTest, ThreeBlackHolePiecesLaunchOneBlackHoleAtTheOtherSide) {
  Scan({"888..."}, 0);
  EXPECT_LE(Random.index, 4);  // the draws of one launch; three would take at least nine
  EXPECT_EQ(Game.BlackHole.targetSide, 2);
  EXPECT_EQ(Game.BlackHole.x, 592);
  EXPECT_EQ(Game.side1.removedCount, 0);
  EXPECT_TRUE(sounds().empty());
}

}  // namespace
