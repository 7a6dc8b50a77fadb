// The scrolling universe and the drifting stars.
#include "game_test_support.h"
#include "solo/background.h"

namespace {

class ScenesBackgroundTest : public GameTest {};

TEST_F(ScenesBackgroundTest, UniverseWrapsAfter240FramesAndDrawsFourPieces) {
  for (int i = 0; i < 239; ++i) {
    ScrollUniverse();
  }
  EXPECT_EQ(Game.scrollY, 478);
  ScrollUniverse();
  EXPECT_EQ(Game.scrollY, 0);
  Game.viewDirection = 'l';
  ScrollUniverse();  // moving left from 0 wraps at once
  EXPECT_EQ(Game.scrollX, 640);
  ScrollUniverse();
  EXPECT_EQ(Game.scrollX, 638);

  Game.scrollX = 100;
  Game.scrollY = 30;
  DrawUniverse();
  ASSERT_EQ(drawCalls.size(), 4u);
  const int expected[4][6] = {{0, 0, 540, 450, 100, 30},
                              {540, 0, 100, 450, 0, 30},
                              {0, 450, 540, 30, 100, 0},
                              {540, 450, 100, 30, 0, 0}};
  for (int i = 0; i < 4; ++i) {
    const DrawCall& c = drawCalls[i];
    EXPECT_EQ(c.surface, SurfUniverse);
    EXPECT_EQ((std::vector<int>{c.sx, c.sy, c.sw, c.sh, c.dx, c.dy}),
              std::vector<int>(expected[i], expected[i] + 6))
        << "piece " << i;
  }
}

TEST_F(ScenesBackgroundTest, AStarLeavingTheScreenComesBackRenewed) {
  for (Star& star : Game.StarField) {
    star = Star{16, 0, 300, 200, 2, 2, 7};
  }
  Star& leaving = Game.StarField[5];
  leaving.y = 478;
  leaving.x = 700;  // wraps both ways: still renewed once
  leaving.stepY = 5;
  SeedRandom(11);
  const int32_t imageX = RandomRange(0, 3) * 16;
  const int32_t stepX = RandomRange(2, 6);
  const int32_t stepY = RandomRange(2, 6);
  const int32_t size = RandomRange(6, 12);
  const uint32_t afterRenewal = RandomWord();
  SeedRandom(11);

  MoveStars();

  EXPECT_EQ(leaving.x, -32);
  EXPECT_EQ(leaving.y, -32);
  EXPECT_EQ(leaving.imageX, imageX);
  EXPECT_EQ(leaving.stepX, stepX);
  EXPECT_EQ(leaving.stepY, stepY);
  EXPECT_EQ(leaving.size, size);
  EXPECT_EQ(RandomWord(), afterRenewal);  // no other star drew a number
  EXPECT_EQ(Game.StarField[6].y, 202);

  DrawStars();
  ASSERT_EQ(drawCalls.size(), 70u);
  const DrawCall& drawn = drawCalls[5];
  EXPECT_TRUE(drawn.surface == SurfFixed && drawn.sx == imageX && drawn.sw == 16);
  EXPECT_TRUE(drawn.dx == -32 && drawn.dy == -32 && drawn.dw == size && drawn.dh == size);
}

}  // namespace
