// Lines, settling, chain scoring and timing, the end of a chain, the pinch tune and explosions.
#include "game_test_support.h"
#include "solo/chain.h"

namespace {

class SoloChainTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Game.CurrentScene = SceneSoloChain;
    Game.side1.phaseCounter = 14;  // as the lock leaves it
  }
  // Scans the well as it stands; returns the visible well afterwards, row 1 first.
  static std::vector<std::string> ScanRows(const std::vector<std::string>& rows) {
    SetWellRows(1, rows);
    ScanAndRemoveLines(1);
    std::vector<std::string> out;
    for (int r = 1; r <= 11; ++r) {
      std::string line;
      for (int c = 1; c <= 6; ++c)
        line += Cell(1, r, c) ? char('0' + Cell(1, r, c)) : '.';
      out.push_back(line);
    }
    return out;
  }
  // Chain frames until the chain scene hands over; the frames on which the score changed.
  std::vector<std::pair<int, int32_t>> RunChain(int32_t& next) {
    std::vector<std::pair<int, int32_t>> scoring;
    for (int f = 1; f <= 1000; ++f) {
      const int32_t before = Game.score;
      next = SoloChainFrame();
      if (Game.score != before)
        scoring.push_back({f, Game.score - before});
      if (next != SceneSoloChain)
        break;
    }
    return scoring;
  }
};

std::vector<std::string> Rows(std::initializer_list<std::pair<int, std::string>> set) {
  std::vector<std::string> rows(11, "......");
  for (auto& [row, text] : set)
    rows[row - 1] = text;
  return rows;
}

TEST_F(SoloChainTest, LinesOfThreeOrMoreGoInAllFourDirections) {
  EXPECT_EQ(ScanRows(Rows({{11, "2111.2"}})), Rows({{11, "2....2"}}));
  EXPECT_EQ(Game.side1.removedCount, 3);
  EXPECT_TRUE(Game.side1.linesFound);
  Game = GameState{};
  EXPECT_EQ(ScanRows(Rows({{8, "3....."}, {9, "3....."}, {10, "3....."}, {11, "3....."}})),
            Rows({}));
  EXPECT_EQ(Game.side1.removedCount, 4);
  Game = GameState{};
  EXPECT_EQ(ScanRows(Rows({{9, "1....."}, {10, ".1...."}, {11, "..1..."}})), Rows({}));
  Game = GameState{};
  // Up-right from row 3, column 1 to row 1, column 3.
  EXPECT_EQ(ScanRows(Rows({{1, "..2..."}, {2, ".2...."}, {3, "2....."}})), Rows({}));
  Game = GameState{};
  EXPECT_EQ(ScanRows(Rows({{11, "12.12."}})), Rows({{11, "12.12."}}));
  EXPECT_FALSE(Game.side1.linesFound);
}

TEST_F(SoloChainTest, ACrossingCellCountsOnceAndRowZeroNeverTakesPart) {
  EXPECT_EQ(ScanRows(Rows({{9, "1....."}, {10, "1....."}, {11, "111..."}})), Rows({}));
  EXPECT_EQ(Game.side1.removedCount, 5);
  Game = GameState{};
  SetWellRows(1, Rows({{1, "1....."}, {2, "1....."}}));
  Game.side1.Board[0 * 8 + 1] = 1;  // row 0 over two equal planets
  ScanAndRemoveLines(1);
  EXPECT_FALSE(Game.side1.linesFound);
  EXPECT_EQ(Cell(1, 1, 1), 1);
}

TEST_F(SoloChainTest, OnePassDropsEachHangingRunsLowestPieceToTheBottom) {
  SetWellRows(1, Rows({{2, "1....."}, {3, "2....."}, {7, "3....."}}));
  Game.side1.Board[0 * 8 + 1] = 4;
  SettleStep(1);
  // The top-down sweep meets a falling piece again one row lower; a piece resting on another
  // that has not fallen yet waits for the next pass.
  EXPECT_TRUE(Cell(1, 11, 1) == 3 && Cell(1, 6, 1) == 2 && Cell(1, 2, 1) == 1 &&
              Cell(1, 1, 1) == 4);
  for (int pass = 0; pass < 10; ++pass)
    SettleStep(1);
  EXPECT_EQ(Game.side1.Board, [] {
    SetWellRows(1, Rows({{8, "4....."}, {9, "1....."}, {10, "2....."}, {11, "3....."}}));
    return Game.side1.Board;
  }());
}

TEST_F(SoloChainTest, ScoresFollowTheChainStepAndScansComeEvery30Frames) {
  SetWellRows(1, Rows({{11, "1111.."}}));
  int32_t next = 0;
  EXPECT_EQ(RunChain(next), (std::vector<std::pair<int, int32_t>>{{16, 120}}));
  EXPECT_EQ(next, SceneSolo);
  Game = GameState{};
  SetUp();
  SetWellRows(1, Rows({{9, "1....."}, {10, "1....."}, {11, "111..."}}));
  EXPECT_EQ(RunChain(next), (std::vector<std::pair<int, int32_t>>{{16, 150}}));
  Game = GameState{};
  SetUp();
  // The column goes first; the 2 above it lands beside two more 2s for a second step.
  SetWellRows(1, Rows({{8, "2....."}, {9, "1....."}, {10, "1....."}, {11, "122..."}}));
  EXPECT_EQ(RunChain(next), (std::vector<std::pair<int, int32_t>>{{16, 90}, {46, 380}}));
  EXPECT_EQ(Game.side1.chainCount, 0);
  ASSERT_FALSE(sounds().empty());
  EXPECT_EQ(sounds().front().id, SndBom);
  EXPECT_EQ(sounds().back().id, SndChain2);
}

TEST_F(SoloChainTest, AChainEndingWithTheSpawnCellTakenEndsTheGame) {
  SetWellRows(1, Rows({{1, "..3..."}, {2, "..1..."}, {3, "..2..."}, {4, "..3..."}}));
  for (int r = 5; r <= 11; ++r)
    Game.side1.Board[r * 8 + 3] = r % 2 + 1;
  int32_t next = 0;
  RunChain(next);
  EXPECT_EQ(next, SceneGameOver);
}

TEST_F(SoloChainTest, ThePinchTuneStartsAt22EmptyCellsNotAt23) {
  auto fill = [](int occupied) {
    SetWellRows(1, {});
    for (int i = 0; i < occupied; ++i)
      Game.side1.Board[(11 - i / 6) * 8 + 1 + i % 6] = 1 + i % 2;
  };
  fill(66 - 23);
  UpdatePinchMusic();
  EXPECT_TRUE(sounds().empty());
  fill(66 - 22);
  UpdatePinchMusic();
  ASSERT_EQ(sounds().size(), 2u);
  EXPECT_TRUE(sounds()[0].id == SndPlayBgm && !sounds()[0].start);
  EXPECT_TRUE(sounds()[1].id == SndPinch && sounds()[1].loop && Game.pinchActive);
  fill(66 - 23);
  UpdatePinchMusic();
  EXPECT_TRUE(sounds().back().id == SndPlayBgm && sounds().back().start && !Game.pinchActive);
}

TEST_F(SoloChainTest, ExplosionsRunFifteenFramesThenTheTableEmpties) {
  Game.viewDirection = 'l';
  ScanRows(Rows({{11, "111..."}}));
  for (int f = 0; f < 16; ++f) {
    drawCalls.clear();
    DrawExplosions(1);
    ASSERT_EQ(drawCalls.size(), f < 15 ? 3u : 0u) << "frame " << f;
    for (const DrawCall& c : drawCalls) {
      EXPECT_TRUE(c.surface == SurfBaku && c.sx == f * 32 && c.sy == 0 && c.dw == 48);
    }
  }
  EXPECT_TRUE(drawCalls.empty());
  EXPECT_EQ(Game.side1.removedCount, 0);
  EXPECT_EQ(Game.side1.RemovalMarks, WellGrid{});
}

TEST_F(SoloChainTest, MoreThanThirtyRemovalsAreAllCountedButOnlyThirtyDrawn) {
  std::vector<std::string> full(11, "111111");  // 66 equal planets at once
  SetWellRows(1, full);
  const VersusSide before = Game.side1;
  int32_t next = 0;
  auto scoring = RunChain(next);
  ASSERT_FALSE(scoring.empty());
  EXPECT_EQ(scoring[0].second, 30 * 66);
  EXPECT_EQ(Game.side1.CapturedPlanets.count, before.CapturedPlanets.count);
  EXPECT_EQ(Game.side1.driftCounter, before.driftCounter);
  SetWellRows(1, full);
  Game.side1.removedCount = 0;
  Game.side1.RemovalMarks = {};
  ScanAndRemoveLines(1);
  EXPECT_EQ(Game.side1.removedCount, 66);
  drawCalls.clear();
  DrawExplosions(1);
  EXPECT_EQ(drawCalls.size(), 30u);
}

}  // namespace
