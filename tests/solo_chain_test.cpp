// Lines, settling, chain scoring and timing, the end of a chain, the pinch tune and explosions.
#include "game_test_support.h"
#include "solo/chain.h"

namespace {

// A visible well with the given rows set (row number, six cells) and the rest empty.
std::vector<std::string> Rows(std::initializer_list<std::pair<int, std::string>> set) {
  std::vector<std::string> rows(11, "......");
  for (auto& [row, text] : set)
    rows[row - 1] = text;
  return rows;
}

class SoloChainTest : public GameTest {
 protected:
  // Scans the well; the visible well afterwards, in the same form.
  static std::vector<std::string> Scan(const std::vector<std::string>& rows) {
    Game.side1 = VersusSide{};
    SetWellRows(1, rows);
    ScanAndRemoveLines(1);
    std::vector<std::string> out(11, "......");
    for (int r = 1; r <= 11; ++r) {
      for (int c = 1; c <= 6; ++c)
        out[r - 1][c - 1] = Cell(1, r, c) ? '0' + Cell(1, r, c) : '.';
    }
    return out;
  }
  // Runs a chain from the lock; the frames on which it scored, and what.
  static std::vector<std::pair<int, int32_t>> Chain(const std::vector<std::string>& rows,
                                                    int32_t& next) {
    Game.side1 = VersusSide{};
    Game.side1.phaseCounter = 14;  // as the lock leaves it
    SetWellRows(1, rows);
    std::vector<std::pair<int, int32_t>> scoring;
    for (int f = 1; f <= 1000 && (next = SoloChainFrame()) == SceneSoloChain; ++f) {
      if (Game.score != 0)
        scoring.push_back({f, Game.score});
      Game.score = 0;
    }
    return scoring;
  }
  using Scores = std::vector<std::pair<int, int32_t>>;
};

TEST_F(SoloChainTest, LinesOfThreeOrMoreGoInAllFourDirectionsAndCrossingsCountOnce) {
  EXPECT_EQ(Scan(Rows({{11, "2111.2"}})), Rows({{11, "2....2"}}));
  EXPECT_EQ(Scan(Rows({{8, "3....."}, {9, "3....."}, {10, "3....."}, {11, "3....."}})), Rows({}));
  EXPECT_EQ(Game.side1.removedCount, 4);
  EXPECT_EQ(Scan(Rows({{9, "1....."}, {10, ".1...."}, {11, "..1..."}})), Rows({}));
  EXPECT_EQ(Scan(Rows({{1, "..2..."}, {2, ".2...."}, {3, "2....."}})), Rows({}));
  EXPECT_EQ(Scan(Rows({{9, "1....."}, {10, "1....."}, {11, "111..."}})), Rows({}));
  EXPECT_EQ(Game.side1.removedCount, 5);
  EXPECT_EQ(Scan(Rows({{11, "12.12."}})), Rows({{11, "12.12."}}));
  EXPECT_FALSE(Game.side1.linesFound);
  Game.side1.Board[0 * 8 + 1] = 1;  // row 0 never takes part
  SetWellRows(1, Rows({{1, "1....."}, {2, "1....."}}));
  ScanAndRemoveLines(1);
  EXPECT_FALSE(Game.side1.linesFound);
}

TEST_F(SoloChainTest, OnePassDropsTheLowestPieceOfEachHangingRunToTheBottom) {
  SetWellRows(1, Rows({{2, "1....."}, {3, "2....."}, {7, "3....."}}));
  Game.side1.Board[0 * 8 + 1] = 4;
  SettleStep(1);
  // A piece resting on one that has not fallen yet waits for the next pass.
  EXPECT_TRUE(Cell(1, 11, 1) == 3 && Cell(1, 6, 1) == 2 && Cell(1, 2, 1) == 1 &&
              Cell(1, 1, 1) == 4);
}

TEST_F(SoloChainTest, StepsScoreByTheirPlaceInTheChainAndScansCome30FramesApart) {
  int32_t next = 0;
  EXPECT_EQ(Chain(Rows({{11, "1111.."}}), next), (Scores{{16, 120}}));
  EXPECT_EQ(next, SceneSolo);
  EXPECT_EQ(Chain(Rows({{9, "1....."}, {10, "1....."}, {11, "111..."}}), next),
            (Scores{{16, 150}}));
  // The column goes first; the 2 above it lands beside two more 2s for a second step, and the
  // 3s resting on those land beside a third for a third step, each step with its own sound.
  sounds().clear();
  EXPECT_EQ(Chain(Rows({{8, "2....."}, {9, "1....."}, {10, "133..."}, {11, "1223.."}}), next),
            (Scores{{16, 90}, {46, 380}, {76, 760}}));
  std::vector<SoundId> heard;
  for (const auto& s : sounds()) {
    if (s.start && (heard.empty() || heard.back() != s.id))
      heard.push_back(s.id);
  }
  EXPECT_EQ(heard, (std::vector<SoundId>{SndBom, SndChain2, SndChain3}));
  EXPECT_EQ(Game.side1.chainCount, 0);
  // Ending with the spawn cell taken ends the game, however empty the rest.
  std::vector<std::string> column(11, "..1...");
  for (int r = 0; r < 11; r += 2)
    column[r] = "..2...";
  EXPECT_TRUE(Chain(column, next).empty());
  EXPECT_EQ(next, SceneGameOver);
}

TEST_F(SoloChainTest, ThePinchTuneStartsAt22EmptyCellsNotAt23) {
  auto empties = [](int empty) {
    SetWellRows(1, {});
    for (int i = 0; i < 66 - empty; ++i)
      Game.side1.Board[(11 - i / 6) * 8 + 1 + i % 6] = 1;
    UpdatePinchMusic();
  };
  empties(23);
  EXPECT_TRUE(sounds().empty());
  empties(22);
  ASSERT_EQ(sounds().size(), 2u);
  EXPECT_TRUE(sounds()[0].id == SndPlayBgm && !sounds()[0].start);
  EXPECT_TRUE(sounds()[1].id == SndPinch && sounds()[1].loop && Game.pinchActive);
  empties(23);
  EXPECT_TRUE(sounds().back().id == SndPlayBgm && sounds().back().start && !Game.pinchActive);
}

TEST_F(SoloChainTest, MoreThanThirtyRemovalsAreAllCountedButOnlyThirtyDrawn) {
  const std::vector<std::string> full(11, "111111");
  int32_t next = 0;
  EXPECT_EQ(Chain(full, next).at(0).second, 30 * 66);
  Scan(full);
  EXPECT_EQ(Game.side1.removedCount, 66);
  // The fields after the table are untouched.
  EXPECT_TRUE(Game.side1.CapturedPlanets.count == 0 && Game.side1.driftCounter[1] == 0);
  // Fifteen frames of pictures, never more than the table holds, then the table empties.
  for (int f = 0; f < 16; ++f) {
    drawCalls.clear();
    DrawExplosions(1);
    ASSERT_EQ(drawCalls.size(), f < 15 ? 30u : 0u);
    EXPECT_TRUE(drawCalls.empty() || drawCalls.back().sx == f * 32);
  }
  EXPECT_TRUE(Game.side1.removedCount == 0 && Game.side1.RemovalMarks == WellGrid{});
}

}  // namespace
