// What the play field draws where: planets and preview, gauge blinking and alarm, the score.
#include "game_test_support.h"
#include "solo/drawing.h"

namespace {

class SoloDrawingTest : public GameTest {};

TEST_F(SoloDrawingTest, PlanetsUseTheMirroredSetAndThePreviewStaysPut) {
  SetWellRows(1, {"1....."});
  Game.side1.Board[0 * 8 + 2] = 3;  // the entry row is never drawn
  Game.mirrored = 1;
  Game.viewDirection = 'l';
  Game.NextPair = {4, 5};
  DrawWell();
  ASSERT_EQ(drawCalls.size(), 3u);
  const DrawCall& planet = drawCalls[0];
  EXPECT_TRUE(planet.sx == 0 && planet.sy == 32 && planet.dx == 352 && planet.dy == 320);
  EXPECT_TRUE(drawCalls[1].sx == 160 && drawCalls[1].dx == 352 && drawCalls[1].dy == 384);
  EXPECT_TRUE(drawCalls[2].sx == 128 && drawCalls[2].dx == 352 && drawCalls[2].dy == 416);
}

TEST_F(SoloDrawingTest, AGaugeInWarningBlinksAndSoundsTheAlarmAtTheFastestBlink) {
  Game.rotateGauge = 100;
  Game.rotateWarning = Game.moveWarning = 1;
  Game.rotateBlink = 15;
  Game.moveBlink = 6;
  auto bars = [this](int frame) {
    drawCalls.clear();
    Game.SceneFrame = frame;
    DrawGauges();
    return drawCalls.size() - 1;  // the panel square is always drawn
  };
  EXPECT_EQ(bars(31), 2u);
  EXPECT_TRUE(drawCalls[1].dy == 92 && drawCalls[1].dh == 100 && sounds().empty());
  EXPECT_EQ(bars(12), 1u);  // the move bar vanishes and the alarm sounds
  EXPECT_TRUE(sounds().size() == 1 && sounds()[0].id == SndGage);
  EXPECT_EQ(bars(30), 0u);  // the rotate bar's blink at 15 is silent
  EXPECT_EQ(sounds().size(), 2u);
}

TEST_F(SoloDrawingTest, TheScoreIsSixPlacesWideFollowedByKm) {
  Game.score = 1234;
  DrawScore();
  ASSERT_EQ(drawCalls.size(), 1u);
  const DrawCall& label = drawCalls[0];
  EXPECT_TRUE(label.text == "  1234km" && label.dx == 484 && label.dy == 418 && label.dh == 30);
  EXPECT_TRUE(label.red == 250 && label.green == 250 && label.blue == 0);
}

}  // namespace
