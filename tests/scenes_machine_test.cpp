// The scene machine: when handlers run, when scenes switch, and what the title's reset restores.
#include "game_test_support.h"
#include "scenes/scene_machine.h"
#include "services/quit.h"

namespace {

class ScenesMachineTest : public GameTest {};

TEST_F(ScenesMachineTest, SwitchesAtTheEndOfTheFrameAndTheNewSceneStartsAtFrameZero) {
  Game.title.TitleLogoY = 10;  // the menu is live
  Hold({KeyReturn});
  UpdateScene();
  // The frame that chose the start screen still drew the title.
  ASSERT_FALSE(drawCalls.empty());
  EXPECT_TRUE(std::any_of(drawCalls.begin(), drawCalls.end(),
                          [](const DrawCall& c) { return c.surface == SurfTitle; }));
  EXPECT_EQ(Game.CurrentScene, SceneStart);
  EXPECT_EQ(Game.SceneFrame, 0);
  // Entering the start screen starts the shuttle over the title tune, nothing else.
  ASSERT_EQ(sounds().size(), 2u);
  EXPECT_EQ(sounds()[0].id, SndEnter);
  EXPECT_EQ(sounds()[1].id, SndShuttle);
  EXPECT_TRUE(sounds()[1].start);
  EXPECT_FALSE(sounds()[1].loop);
  drawCalls.clear();
  UpdateScene();
  EXPECT_EQ(Game.SceneFrame, 1);
  const DrawCall& shuttle = drawCalls.back();  // frame 0 of the start screen: still small
  EXPECT_EQ(shuttle.surface, SurfSpaceShuttle);
  EXPECT_EQ(shuttle.dw, 84);
}

TEST_F(ScenesMachineTest, AHandlerReturningItsOwnSceneNeverReEntersIt) {
  for (int i = 0; i < 3000; ++i) {
    UpdateScene();
  }
  EXPECT_EQ(Game.CurrentScene, SceneTitle);
  EXPECT_EQ(Game.SceneFrame, 3000);
  EXPECT_TRUE(sounds().empty());  // no reset ran: its tunes would show here
  EXPECT_EQ(Game.title.TitleLogoY, 10);
}

TEST_F(ScenesMachineTest, QuitSceneRequestsQuitEveryFrame) {
  ClearQuitRequest();
  Game.CurrentScene = SceneQuit;
  UpdateScene();
  EXPECT_TRUE(QuitRequested());
  EXPECT_EQ(Game.CurrentScene, SceneQuit);
  ClearQuitRequest();
}

uint32_t FixedClock() {
  return 4242;
}

TEST_F(ScenesMachineTest, InitGameSeedsFromTheClockAndDrawsEachStarInOrder) {
  SetClockSeedSource(FixedClock);
  Game.side2.Board.fill(3);
  EXPECT_EQ(InitGame(), 1);
  SetClockSeedSource(nullptr);
  EXPECT_EQ(Game.side2.Board, EmptyWellGrid());
  SeedRandom(4242);
  for (const Star& star : Game.StarField) {
    EXPECT_EQ(star.x, RandomRange(-32, 640));
    EXPECT_EQ(star.y, RandomRange(-32, 480));
    EXPECT_EQ(star.imageX, RandomRange(0, 3) * 16);
    EXPECT_EQ(star.stepX, RandomRange(2, 6));
    EXPECT_EQ(star.stepY, RandomRange(2, 6));
    EXPECT_EQ(star.size, RandomRange(5, 10));
  }
  ASSERT_EQ(sounds().size(), 1u);
  EXPECT_TRUE(sounds()[0].id == SndTitleBgm && sounds()[0].loop);
}

}  // namespace
