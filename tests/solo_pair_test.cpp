// The falling pair: placing, moving against the well, key repeat, drops and the lock.
#include "game_test_support.h"
#include "solo/pair.h"
#include "solo/solo_scene.h"

namespace {

class SoloPairTest : public GameTest {
 protected:
  // Puts side 1's pair into the well with its first half at (row, column).
  static void Place(int orientation, int row, int column) {
    FallingPairRecord& p = Game.side1.FallingPair;
    p = {};
    p.orientation = orientation;
    p.row1 = p.row2 = row;
    p.col1 = p.col2 = column;
    p.row2 += orientation == 't' ? -1 : orientation == 'b' ? 1 : 0;
    p.col2 += orientation == 'l' ? -1 : orientation == 'r' ? 1 : 0;
    p.code1 = 1;
    p.code2 = 2;
    p.pairActive = 1;
    Game.side1.Board[p.row1 * 8 + p.col1] = 1;
    Game.side1.Board[p.row2 * 8 + p.col2] = 2;
  }
  static std::array<int, 4> Where() {
    const FallingPairRecord& p = Game.side1.FallingPair;
    return {p.row1, p.col1, p.row2, p.col2};
  }
};

TEST_F(SoloPairTest, SpawnWritesOnlyTheFirstHalfAndDrawsTheFollowingPair) {
  Game.NextPair = {2, 1};
  Game.side1.Board[3] = 5;  // row 0, column 3: cleared for the hidden second half
  SpawnPair();
  const FallingPairRecord& p = Game.side1.FallingPair;
  EXPECT_TRUE(p.code1 == 3 && p.code2 == 2 && p.pairActive && p.orientation == 't');
  EXPECT_EQ(Where(), (std::array<int, 4>{1, 3, 0, 3}));
  EXPECT_EQ(Cell(1, 1, 3), 3);
  EXPECT_EQ(Cell(1, 0, 3), CellEmpty);
  EXPECT_TRUE(Game.NextPair.next1 >= 0 && Game.NextPair.next1 <= 2);
}

TEST_F(SoloPairTest, AMoveIsAllowedExactlyWhenTheNewlyTakenCellsAreFree) {
  for (int o : {'t', 'b', 'l', 'r'}) {
    for (int dir : {'d', 'l', 'r'}) {
      SCOPED_TRACE(testing::Message() << char(o) << " " << char(dir));
      for (bool blocked : {false, true}) {
        SetWellRows(1, {});
        Place(o, 5, 3);
        const auto start = Where();
        const int dr = dir == 'd' ? 1 : 0, dc = dir == 'r' ? 1 : dir == 'l' ? -1 : 0;
        if (blocked) {  // every cell the pair would newly take
          for (auto [r, c] :
               {std::pair{start[0] + dr, start[1] + dc}, {start[2] + dr, start[3] + dc}}) {
            if (Cell(1, r, c) == CellEmpty)
              Game.side1.Board[r * 8 + c] = 3;
          }
        }
        Game.side1.moveRepeat = 4;
        FallingPairRecord& p = Game.side1.FallingPair;
        p.row1 += dr, p.row2 += dr, p.col1 += dc, p.col2 += dc;
        const bool ok = TryPairMove(1, dir);
        const bool upright = o == 't' || o == 'b';
        if (blocked) {
          EXPECT_FALSE(ok);
          EXPECT_EQ(Where(), start);
          // A step blocked on both of its target cells resets the repeat.
          EXPECT_EQ(Game.side1.moveRepeat, dir == 'd' ? 4 : 16);
        } else {
          EXPECT_EQ(ok, !(upright && dir == 'd'));  // an upright drop reports false but stays
          EXPECT_EQ(Where(), (std::array<int, 4>{start[0] + dr, start[1] + dc, start[2] + dr,
                                                 start[3] + dc}));
        }
      }
    }
  }
}

TEST_F(SoloPairTest, KeyRepeatStepsOnThePressThenAfter8421FramesAndWaits16AfterTheWall) {
  Place('t', 5, 1);
  Game.side1.fallInterval = 1000;
  Hold({KeyRight});
  std::vector<int> attempts;
  for (int f = 0; f < 40; ++f) {
    const int gauge = Game.moveGauge;
    ControlPair(1);
    if (Game.moveGauge != gauge)
      attempts.push_back(f);
  }
  EXPECT_EQ(attempts, (std::vector<int>{0, 8, 12, 14, 15, 16, 32}));
  EXPECT_EQ(Where(), (std::array<int, 4>{5, 6, 4, 6}));
  EXPECT_EQ(Cell(1, 5, 6), 1);
  EXPECT_EQ(Cell(1, 4, 6), 2);
  EXPECT_EQ(Cell(1, 5, 5), CellEmpty);
  // Releasing the key makes the next press step at once; Right wins over Left.
  ReleaseKeys();
  ControlPair(1);
  EXPECT_TRUE(Game.side1.moveRepeat == 16 && Game.side1.moveCounter == 16);
  Hold({KeyLeft, KeyRight});
  ControlPair(1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 6);
}

TEST_F(SoloPairTest, AnUprightPairBlockedByOneCellKeepsHalvingItsRepeat) {
  SetWellRows(1, {"", "", "", "", "...3"});  // beside the lower half only
  Place('t', 5, 3);
  Game.side1.fallInterval = 1000;
  Hold({KeyRight});
  ControlPair(1);
  EXPECT_EQ(Game.side1.FallingPair.col1, 3);
  EXPECT_EQ(Game.side1.moveRepeat, 8);
}

TEST_F(SoloPairTest, SoftDropScoresEverySecondFrameEvenWhenThePairCannotFall) {
  Place('t', 11, 3);  // on the floor
  Game.side1.fallCounter = 0;
  Hold({KeyDown_});
  for (int f = 0; f < 10; ++f)
    ControlPair(1);
  EXPECT_EQ(Game.score, 5);
  EXPECT_EQ(Where(), (std::array<int, 4>{11, 3, 10, 3}));
  EXPECT_EQ(Cell(1, 11, 3), 1);
  EXPECT_EQ(Cell(1, 10, 3), 2);
}

TEST_F(SoloPairTest, AutomaticDropComesEveryFallIntervalFramesAndWritesTheHiddenHalf) {
  Game.NextPair = {0, 1};
  SpawnPair();
  Game.side1.fallCounter = 0;
  for (int f = 0; f < 24; ++f)
    ControlPair(1);
  EXPECT_EQ(Game.side1.FallingPair.row1, 1);
  ControlPair(1);
  EXPECT_EQ(Where(), (std::array<int, 4>{2, 3, 1, 3}));
  EXPECT_TRUE(Cell(1, 2, 3) == 1 && Cell(1, 1, 3) == 2 && Cell(1, 0, 3) == CellEmpty);
}

TEST_F(SoloPairTest, LocksAfter14LandedFramesInAllEvenWhenPushedOffALedge) {
  Game.CurrentScene = SceneSolo;
  SetWellRows(1, {"", "", "", "", "", "", "", "", "", "", "..3"});
  Place('t', 10, 3);  // resting on the planet at row 11
  Game.side1.fallInterval = 1000;
  for (int f = 0; f < 10; ++f)
    ASSERT_EQ(SoloPlayFrame(), SceneSolo);
  EXPECT_EQ(Game.side1.phaseCounter, 10);
  Game.side1.Board[11 * 8 + 3] = CellEmpty;  // the ledge goes
  Game.side1.fallCounter = 999;
  EXPECT_EQ(SoloPlayFrame(), SceneSolo);  // not landed: falls to the floor
  for (int f = 0; f < 3; ++f)
    EXPECT_EQ(SoloPlayFrame(), SceneSolo);
  drawCalls.clear();
  EXPECT_EQ(SoloPlayFrame(), SceneSoloChain);
  EXPECT_TRUE(drawCalls.empty());  // the lock frame draws nothing
  EXPECT_EQ(Game.score, 50);
  EXPECT_FALSE(Game.side1.FallingPair.pairActive);
  EXPECT_TRUE(PairLanded(1));
}

}  // namespace
