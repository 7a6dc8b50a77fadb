// The drift that 50 steps switch on and off, the mirror that 100 turns toggle, and how they meet.
#include "game_test_support.h"
#include "versus/drift.h"

namespace {

class VersusDriftTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int side : {1, 2}) {
      Side(side).FallingPair = {5, 3, 4, 3, 1, 2, 't', 0};
      Side(side).Board[5 * WellColumns + 3] = 1;
      Side(side).Board[4 * WellColumns + 3] = 2;
      Side(side).sideState = SideFalling;
    }
  }
};

TEST_F(VersusDriftTest, StepsSwitchTheDriftOnAndOffAndTurnsToggleTheMirror) {
  Game.moveGauge = 49;
  Game.rotateGauge = 99;
  DisturbanceStep();
  EXPECT_EQ(Game.viewDirection, 'b');  // one step and one turn short: nothing yet
  EXPECT_EQ(Game.mirrored, 0);
  EXPECT_EQ(Game.moveGauge + Game.rotateGauge, 148);
  Game.rotateGauge = 0;
  Game.moveGauge = 50;
  DisturbanceStep();
  EXPECT_TRUE(Game.viewDirection == 'l' || Game.viewDirection == 'r');
  Game.moveGauge = 50;
  Game.rotateGauge = 100;
  DisturbanceStep();
  EXPECT_EQ(Game.viewDirection, 'b');
  EXPECT_EQ(Game.mirrored, 1);
  EXPECT_EQ(Game.moveGauge + Game.rotateGauge, 0);
}

TEST_F(VersusDriftTest, PairsDriftAtTheirFallPaceAndPauseDuringAChain) {
  Game.viewDirection = 'r';
  Game.side2.fallInterval = 5;
  for (int frame = 1; frame <= 23; ++frame) {
    DisturbanceStep();
    EXPECT_EQ(Game.side2.FallingPair.col1, std::min(6, 3 + frame / 5));  // until the wall
  }
  Game.side1.sideState = SideChain;
  for (int frame = 0; frame < 30; ++frame) {
    DisturbanceStep();
  }
  EXPECT_EQ(Game.side1.driftCounter[0], 23);
  Game.side1.sideState = SideFalling;
  DisturbanceStep();
  EXPECT_EQ(Game.side1.FallingPair.col1, 3);
  DisturbanceStep();
  EXPECT_EQ(Game.side1.FallingPair.col1, 4);
  EXPECT_EQ(Cell(1, 4, 4), 2);
  EXPECT_EQ(Cell(1, 4, 3), CellEmpty);
  EXPECT_EQ(Game.moveGauge, 0);  // a drift step is no player step
}

TEST_F(VersusDriftTest, MirroredDriftKeepsItsScreenSideByLoweringColumns) {
  Game.viewDirection = 'r';
  Game.rotateGauge = 100;
  Game.side1.fallInterval = 1;
  Game.side2.fallInterval = 0;  // drifts every frame, as it falls every frame
  DisturbanceStep();
  EXPECT_EQ(Game.mirrored, 1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 2);
  EXPECT_EQ(Game.side2.FallingPair.col1, 2);
  Game.side1.fallInterval = -2;  // counts by its magnitude
  DriftPairs(-1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 2);
  DriftPairs(-1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 1);
}

}  // namespace
