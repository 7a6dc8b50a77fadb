// Gauges and view turns, score thresholds, the black hole and the sun.
#include "game_test_support.h"
#include "solo/hazards.h"

namespace {

class SoloHazardsTest : public GameTest {};

TEST_F(SoloHazardsTest, WithoutTurnsTheWellFlipsAfter2600Frames) {
  for (int f = 1; f < 2600; ++f)
    UpdateGauges();
  EXPECT_EQ(Game.rotateGauge, 129);
  EXPECT_FALSE(Game.mirrored);
  UpdateGauges();
  EXPECT_TRUE(Game.mirrored);
  EXPECT_EQ(Game.rotateGauge, 0);
}

TEST_F(SoloHazardsTest, BlinkPeriodsFollowTheLevelAndAFullMoveGaugeTurnsTheView) {
  struct Step {
    int32_t level, blink;
    uint8_t warning;
  } steps[] = {{79, 0, 0}, {80, 30, 1}, {96, 15, 1}, {112, 6, 1}, {10, 6, 0}};
  for (const Step& s : steps) {
    Game.rotateGauge = s.level;
    Game.gaugeTick = 1;  // the tick lands on no period
    UpdateGauges();
    EXPECT_TRUE(Game.rotateBlink == s.blink && Game.rotateWarning == s.warning) << s.level;
  }
  Game.moveGauge = 130;
  UpdateGauges();
  EXPECT_TRUE(Game.viewDirection == 'l' || Game.viewDirection == 'r');
  EXPECT_EQ(Game.moveGauge, 0);
  for (int i = 0; i < 4; ++i)
    TurnViewClockwise();
  const int32_t view = Game.viewDirection;
  TurnViewClockwise();
  TurnViewCounterClockwise();
  EXPECT_EQ(Game.viewDirection, view);
}

TEST_F(SoloHazardsTest, PassingThresholdsStartsHazardsAndRaisesDifficultyOncePerFrame) {
  Game.score = 3001;
  ApplyScoreThresholds();
  EXPECT_TRUE(Game.Sun.active && !Game.BlackHole.active);
  EXPECT_TRUE(Game.thresholds.sunThreshold >= 6000 && Game.thresholds.sunThreshold <= 9000);
  EXPECT_EQ(Game.side1.fallInterval, 23);
  Game.score = 20001;  // far past several thresholds: one step each per frame
  ApplyScoreThresholds();
  EXPECT_TRUE(Game.BlackHole.active);
  EXPECT_EQ(Game.side1.colourCount, 4);
  EXPECT_EQ(Game.side1.fallInterval, 21);
  EXPECT_TRUE(Game.moveGaugePeriod == 9 && Game.rotateGaugePeriod == 19);
  const int32_t sunThreshold = Game.thresholds.sunThreshold;
  ApplyScoreThresholds();  // the sun is still on screen: its threshold waits
  EXPECT_EQ(Game.thresholds.sunThreshold, sunThreshold);
  EXPECT_EQ(Game.side1.fallInterval, 19);
}

TEST_F(SoloHazardsTest, TheBlackHoleSwallowsUnderItsCoreAndSparesThePair) {
  SetWellRows(1, {"", "", "", "", "..12.."});  // cells (5,3) and (5,4) at x 192 and 224, y 192
  BlackHoleRecord& hole = Game.BlackHole;
  hole = {};
  hole.active = 1;
  hole.widthFactor = hole.heightFactor = 1;
  hole.x = 193;  // the 16 x 16 core starts at 209, just past (5,3)'s probe at 207..208
  hole.y = 191;
  SwallowCells();
  EXPECT_EQ(Cell(1, 5, 3), 1);
  hole.x = 192;
  SwallowCells();
  EXPECT_EQ(Cell(1, 5, 3), CellEmpty);
  hole.widthFactor = 2;  // the core now reaches (5,4), but that is the pair's first half
  Game.side1.FallingPair.row1 = 5;
  Game.side1.FallingPair.col1 = 4;
  SwallowCells();
  EXPECT_EQ(Cell(1, 5, 4), 2);
  // Leaving below the screen ends it; with nothing captured no white hole follows.
  hole.y = 478;
  hole.dy = 3;
  MoveBlackHole();
  EXPECT_TRUE(!hole.active && !Game.WhiteHole.active);
}

TEST_F(SoloHazardsTest, TheSunGrowsInItsStepsAndRecoloursInItsSixtySecondFrame) {
  std::vector<int32_t> sizes;
  StartSun();
  while (Game.Sun.active) {
    GrowSun();
    sizes.push_back(Game.Sun.size);
  }
  ASSERT_EQ(sizes.size(), 62u);
  EXPECT_EQ(sizes[0], 97);
  EXPECT_EQ(sizes[52], 149);
  EXPECT_EQ(std::vector<int32_t>(sizes.begin() + 53, sizes.end()),
            (std::vector<int32_t>{250, 351, 452, 553, 554, 555, 556, 557, 558}));
}

TEST_F(SoloHazardsTest, RecolouringWritesThePairOnlyWhileOneIsInPlay) {
  SeedRandom(7);
  const int32_t first = RandomRange(1, 6), second = RandomRange(1, 6);
  for (uint8_t pairActive : {0, 1}) {
    Game = GameState{};
    SeedRandom(7);
    SetWellRows(1, {"", "", "", "", "", "", "", "", "", "", "11.2.."});
    FallingPairRecord& p = Game.side1.FallingPair;
    p.row1 = p.row2 = 11;
    p.col1 = 3;  // empty cells: after a lock the pair there may have gone since
    p.col2 = 6;
    p.pairActive = pairActive;
    Game.side1.colourCount = 6;
    RecolourPlanets();
    // The pair's two colours are drawn first either way, so the sequence stays the same.
    EXPECT_TRUE(p.code1 == first && p.code2 == second);
    EXPECT_EQ(Cell(1, 11, 3), pairActive ? first : CellEmpty);
    EXPECT_EQ(Cell(1, 11, 6), pairActive ? second : CellEmpty);
    EXPECT_EQ(Cell(1, 11, 5), CellEmpty);
    EXPECT_NE(Cell(1, 11, 1), CellEmpty);
  }
}

}  // namespace
