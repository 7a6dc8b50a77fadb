// Gauges and view turns, score thresholds, the black hole and the sun.
#include "game_test_support.h"
#include "solo/hazards.h"

namespace {

class SoloHazardsTest : public GameTest {};

TEST_F(SoloHazardsTest, GaugesFlipAfter2600FramesAndBlinkByTheirLevel) {
  for (int f = 1; f < 2600; ++f)
    UpdateGauges();
  EXPECT_TRUE(Game.rotateGauge == 129 && !Game.mirrored);
  UpdateGauges();
  EXPECT_TRUE(Game.rotateGauge == 0 && Game.mirrored);
  struct Step {
    int32_t level, blink, warning;
  } steps[] = {{79, 0, 0}, {80, 30, 1}, {96, 15, 1}, {112, 6, 1}, {10, 6, 0}};
  Game.rotateBlink = 0;
  for (const Step& s : steps) {
    Game.rotateGauge = s.level;
    Game.gaugeTick = 1;  // the next tick lands on no period
    UpdateGauges();
    EXPECT_TRUE(Game.rotateBlink == s.blink && Game.rotateWarning == s.warning) << s.level;
  }
  Game.moveGauge = 130;
  UpdateGauges();
  EXPECT_TRUE((Game.viewDirection == 'l' || Game.viewDirection == 'r') && Game.moveGauge == 0);
}

TEST_F(SoloHazardsTest, PassingThresholdsStartsHazardsAndRaisesDifficultyOncePerFrame) {
  Game.score = 3001;
  ApplyScoreThresholds();
  EXPECT_TRUE(Game.Sun.active && !Game.BlackHole.active && Game.side1.fallInterval == 23);
  EXPECT_TRUE(Game.thresholds.sunThreshold >= 6000 && Game.thresholds.sunThreshold <= 9000);
  Game.score = 20001;
  ApplyScoreThresholds();
  EXPECT_TRUE(Game.BlackHole.active && Game.side1.colourCount == 4 &&
              Game.side1.fallInterval == 21 && Game.moveGaugePeriod == 9 &&
              Game.rotateGaugePeriod == 19);
  const int32_t sunThreshold = Game.thresholds.sunThreshold;
  ApplyScoreThresholds();  // the sun is still on screen: its threshold waits
  EXPECT_EQ(Game.thresholds.sunThreshold, sunThreshold);
}

TEST_F(SoloHazardsTest, TheBlackHoleSwallowsUnderItsCoreAndSparesThePair) {
  SetWellRows(1, {"", "", "", "", "..12.."});  // (5,3) at x 192, (5,4) at x 224, both at y 192
  Game.side1.FallingPair.row1 = 5;
  Game.side1.FallingPair.col1 = 4;
  BlackHoleRecord& hole = Game.BlackHole;
  hole = {1, 193, 191, 0, 3, 1, 1};  // core from x 209: just past (5,3)'s probe at 207..208
  SwallowCells();
  EXPECT_EQ(Cell(1, 5, 3), 1);
  hole.x = 192;
  hole.widthFactor = 2;  // the core now reaches the pair's first half too
  SwallowCells();
  EXPECT_TRUE(Cell(1, 5, 3) == CellEmpty && Cell(1, 5, 4) == 2);
  hole.y = 478;
  MoveBlackHole();  // below the screen it ends; with nothing captured no white hole follows
  EXPECT_TRUE(!hole.active && !Game.WhiteHole.active);
}

TEST_F(SoloHazardsTest, TheSunGrowsInItsStepsAndEndsInItsSixtySecondFrame) {
  std::vector<int32_t> sizes;
  for (StartSun(); Game.Sun.active;) {
    GrowSun();
    sizes.push_back(Game.Sun.size);
  }
  ASSERT_EQ(sizes.size(), 62u);
  EXPECT_TRUE(sizes[0] == 97 && sizes[52] == 149);
  EXPECT_EQ(std::vector<int32_t>(sizes.begin() + 53, sizes.end()),
            (std::vector<int32_t>{250, 351, 452, 553, 554, 555, 556, 557, 558}));
}

TEST_F(SoloHazardsTest, RecolouringWritesThePairOnlyWhileOneIsInPlay) {
  SeedRandom(7);
  const int32_t first = RandomRange(1, 6), second = RandomRange(1, 6);
  for (uint8_t pairActive : {0, 1}) {
    SeedRandom(7);
    SetWellRows(1, {"", "", "", "", "", "", "", "", "", "", "11.2.."});
    // Empty cells: after a lock the pair that was there may have gone since.
    Game.side1.FallingPair = {11, 3, 11, 6, 1, 1, 'r', pairActive};
    Game.side1.colourCount = 6;
    RecolourPlanets();
    // The pair's colours are drawn first either way, so the sequence stays the same.
    const FallingPairRecord& p = Game.side1.FallingPair;
    EXPECT_TRUE(p.code1 == first && p.code2 == second);
    EXPECT_EQ(Cell(1, 11, 3), pairActive ? first : CellEmpty);
    EXPECT_EQ(Cell(1, 11, 6), pairActive ? second : CellEmpty);
    EXPECT_TRUE(Cell(1, 11, 5) == CellEmpty && Cell(1, 11, 1) != CellEmpty);
  }
}

}  // namespace
