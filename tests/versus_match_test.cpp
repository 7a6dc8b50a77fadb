// The match: cell mapping and the black-hole pieces' animation, the first frame, locks, both
// players' keys, progression, the end.
#include "game_test_support.h"
#include "versus/match.h"
#include "versus/versus_drawing.h"

namespace {

class VersusMatchTest : public GameTest {
 protected:
  // Both sides falling, each with an upright pair in mid air.
  void SetUp() override {
    GameTest::SetUp();
    Game.CurrentScene = SceneVersus;
    for (int side : {1, 2}) {
      Side(side).FallingPair = {5, 3, 4, 3, 1, 2, 't', 0};
      Side(side).Board[5 * WellColumns + 3] = 1;
      Side(side).Board[4 * WellColumns + 3] = 2;
      Side(side).sideState = SideFalling;
    }
  }
  std::string Labels() const {
    std::string labels;
    for (const DrawCall& call : drawCalls) {
      labels += call.kind == DrawCall::Label ? call.text + std::to_string(call.dx) + " " : "";
    }
    return labels;
  }
};

TEST_F(VersusMatchTest, CellMappingFollowsSideAndMirror) {
  EXPECT_EQ(VersusCellPosition(1, 1, 1).x, 384);
  EXPECT_EQ(VersusCellPosition(2, 11, 6).x, 224);
  EXPECT_EQ(VersusCellPosition(2, 11, 6).y, 384);
  Game.mirrored = 1;
  EXPECT_EQ(VersusCellPosition(1, 1, 1).x, 544);
  EXPECT_EQ(VersusCellPosition(2, 1, 1).x, 224);
}

TEST_F(VersusMatchTest, BlackHolePiecesCycleEveryTwentyFourFramesInAWellAndEighteenInThePreview) {
  SetWellRows(1, {});
  SetWellRows(2, {".....8"});
  Game.NextPair = {0, 7};
  std::vector<int> well, preview;
  for (int frame = 0; frame < 72; ++frame) {
    drawCalls.clear();
    DrawVersusWells();
    ASSERT_EQ(drawCalls.size(), 3u);
    const DrawCall& piece = drawCalls[0];
    ASSERT_TRUE(piece.sy == 64 && piece.dx == 224 && piece.dy == 64);
    well.push_back(piece.sx);
    preview.push_back(drawCalls[1].sy == 64 ? drawCalls[1].sx : -1);
  }
  // Each picture in turn as "source x, frames shown", the first one frame short, the last once.
  auto runs = [](const std::vector<int>& pictures) {
    std::string text;
    for (size_t i = 0, start = 0; i < pictures.size(); ++i) {
      if (i + 1 == pictures.size() || pictures[i + 1] != pictures[i]) {
        text += std::to_string(pictures[i]) + "x" + std::to_string(i + 1 - start) + " ";
        start = i + 1;
      }
    }
    return text;
  };
  EXPECT_EQ(runs(well), "0x7 32x8 64x8 96x1 0x7 32x8 64x8 96x1 0x7 32x8 64x8 96x1 ");
  EXPECT_EQ(runs(preview),
            "0x5 32x6 64x6 96x1 0x5 32x6 64x6 96x1 0x5 32x6 64x6 96x1 0x5 32x6 64x6 96x1 ");
}

TEST_F(VersusMatchTest, FirstFrameGivesSideOneThePreparedPairAndSideTwoTheOneItDrew) {
  Game = GameState{};
  Game.NextPair = {1, 2};
  SeedRandom(7);
  VersusFrame();
  SeedRandom(7);
  int32_t next1 = RandomRange(0, 2), next2 = RandomRange(0, 2);
  next1 = RandomRange(0, 5) == 0 ? 6 : next1;
  next2 = RandomRange(0, 4) == 0 ? 7 : next2;
  EXPECT_EQ(Cell(1, 1, 3) * 10 + Game.side1.FallingPair.code2, 23);
  EXPECT_EQ(Cell(2, 1, 3) * 10 + Game.side2.FallingPair.code2, (next1 + 1) * 10 + next2 + 1);
  EXPECT_EQ(Game.side1.sideState, SideFalling);
  EXPECT_EQ(Game.side2.sideState, SideFalling);
}

TEST_F(VersusMatchTest, LockAddsFiftyAndSkipsThatFramesTurnKeys) {
  Game.side1.phaseCounter = 13;
  Game.side1.Board[6 * WellColumns + 3] = 3;
  Game.side2.sideState = SideWon;
  Hold({'K'});
  VersusFrame();
  EXPECT_EQ(Game.side1.sideState, SideChain);
  EXPECT_EQ(Game.score, 50);
  EXPECT_EQ(Game.rotateGauge, 0);
}

TEST_F(VersusMatchTest, EachPlayerTurnsOncePerPressCounterClockwiseWinning) {
  Hold({'K', 'L', 'A', 'S'});
  VersusFrame();
  VersusFrame();
  EXPECT_EQ(Game.side1.FallingPair.orientation, 'l');
  EXPECT_EQ(Game.side2.FallingPair.orientation, 'l');
  ReleaseKeys();
  VersusFrame();
  Hold({'S', 'T'});  // side 2 only: a clockwise turn and a step right
  VersusFrame();
  EXPECT_EQ(Game.side1.FallingPair.orientation, 'l');
  EXPECT_EQ(Game.side2.FallingPair.orientation, 't');
  EXPECT_EQ(Game.side2.FallingPair.col1, 4);
  EXPECT_EQ(Game.rotateGauge * 10 + Game.moveGauge, 31);
}

TEST_F(VersusMatchTest, AgainstTheComputerPlayerTwosKeysDoNothing) {
  Game.title.computerPlayer = 1;
  Game.side1.sideState = SideWon;
  Hold({'A', 'S', 'E', 'T', 'R'});
  VersusFrame();
  EXPECT_EQ(Game.side2.FallingPair.orientation, 't');
  EXPECT_EQ(Game.rotateGauge + Game.moveGauge + Game.score, 0);
  EXPECT_EQ(Game.computer.planNeeded, 0);  // the computer planned instead
}

TEST_F(VersusMatchTest, ProgressionRaisesColoursOneSideAheadAndIntervalsByThree) {
  Game.side1.sideState = Game.side2.sideState = SideWon;
  const int32_t expected[][4] = {{4, 3, 22, 9000}, {5, 4, 19, 15000}, {6, 5, 16, 21000}};
  for (int step = 0; step < 4; ++step) {
    Game.score = 5001 + 5000 * step;
    VersusFrame();
    const int32_t* e = expected[std::min(step, 2)];
    EXPECT_EQ(Game.side1.colourCount * 10 + Game.side2.colourCount, e[0] * 10 + e[1]);
    EXPECT_EQ(Game.side1.fallInterval + Game.side2.fallInterval, 2 * e[2]);
    EXPECT_EQ(Game.thresholds.versusSpeedThreshold, e[3]);
  }
  Game.side1.fallInterval = 1;
  Game.side2.fallInterval = 0;
  Game.score = 21001;
  VersusFrame();
  EXPECT_EQ(Game.side1.fallInterval * 10 + Game.side2.fallInterval, -20);
  EXPECT_EQ(Game.thresholds.versusSpeedThreshold, 24000);
}

TEST_F(VersusMatchTest, ALossShowsTheResultForFiftyFramesThenTheTitle) {
  Game.side2.sideState = SideLost;
  for (int frame = 1; frame < 50; ++frame) {
    drawCalls.clear();
    ASSERT_EQ(VersusFrame(), SceneVersus);
  }
  EXPECT_EQ(Game.side1.sideState, SideWon);
  EXPECT_EQ(Game.side1.FallingPair.row1, 5);  // the winner's pair froze at once
  EXPECT_EQ(Labels(), "Lose96 Win416 ");
  drawCalls.clear();
  Game.computer.planNeeded = 0;
  EXPECT_EQ(VersusFrame(), SceneTitle);
  EXPECT_TRUE(drawCalls.empty());
  EXPECT_EQ(Game.side1.sideState, SideNewPair);
  EXPECT_EQ(Game.side2.sideState, SideNewPair);
  EXPECT_EQ(Game.computer.planNeeded, 1);
}

TEST_F(VersusMatchTest, PlayerOneLosesATie) {
  Game.side1.sideState = Game.side2.sideState = SideLost;
  VersusFrame();
  EXPECT_EQ(Game.side2.sideState, SideWon);
  EXPECT_EQ(Labels(), "Win96 Lose416 ");
}

}  // namespace
