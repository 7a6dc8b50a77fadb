// The scene machine: when handlers run, when scenes switch, and what the title's reset restores.
#include "app/quit.h"
#include "game_test_support.h"
#include "scenes/scene_machine.h"

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

TEST_F(ScenesMachineTest, TheTitleResetRestoresTheGameButKeepsThresholdsAndMenu) {
  EXPECT_TRUE(Game.NextPair.next1 == 0 && Game.NextPair.next2 == 0);  // the first game's pair
  for (VersusSide* side : {&Game.side1, &Game.side2}) {
    side->colourCount = 6;
    side->fallInterval = 1;
    side->Board.fill(4);
    side->FallingPair = {2, 2, 2, 3, 1, 1, 'r', 1};
    side->sideState = SideLost;
    side->chainCount = 5;
    side->ExplosionTable[3].frame = 7;
    side->RemovalMarks[20] = 1;
    side->driftCounter = {3, 4};
    side->CapturedPlanets.count = 2;
  }
  Game.WhiteHole = {1, 5, 5, 5, 5, 5, 5, 5, 5, 5, 0};
  Game.computer.planNeeded = 0;
  Game.viewDirection = 'r';
  Game.mirrored = 1;
  Game.score = 9000;
  Game.moveGaugePeriod = 2;
  Game.debugMode = 1;
  Game.thresholds.sunThreshold = 6000;
  Game.title.PlayMode = 'c';
  Game.CurrentScene = SceneGameOver;
  Game.SceneFrame = 91;
  SeedRandom(7);
  const int32_t next1 = RandomRange(0, 2);
  const int32_t next2 = RandomRange(0, 2);
  SeedRandom(7);

  UpdateScene();

  EXPECT_EQ(Game.CurrentScene, SceneTitle);
  EXPECT_TRUE(Game.NextPair.next1 == next1 && Game.NextPair.next2 == next2);
  for (const VersusSide* side : {&Game.side1, &Game.side2}) {
    EXPECT_TRUE(side->colourCount == 3 && side->fallInterval == 25);
    EXPECT_EQ(side->Board, EmptyWellGrid());
    EXPECT_EQ(side->FallingPair.orientation, 't');
    EXPECT_EQ(side->sideState, SideNewPair);
    EXPECT_EQ(side->chainCount + side->ExplosionTable[3].frame + side->RemovalMarks[20] +
                  side->driftCounter[1] + side->CapturedPlanets.count,
              0);
  }
  EXPECT_EQ(Game.side1.FallingPair.pairActive, 0);
  EXPECT_TRUE(Game.WhiteHole.active == 0 && Game.WhiteHole.firstFrame == 1);
  EXPECT_EQ(Game.computer.planNeeded, 1);
  EXPECT_TRUE(Game.viewDirection == 'b' && Game.mirrored == 0 && Game.score == 0);
  EXPECT_TRUE(Game.moveGaugePeriod == 10 && Game.debugMode == 0);
  EXPECT_EQ(Game.title.TitleLogoY, -501);
  // Carried over from game to game.
  EXPECT_EQ(Game.thresholds.sunThreshold, 6000);
  EXPECT_EQ(Game.title.PlayMode, 'c');
  // The play and pinch tunes stop; the title tune starts again from its beginning, looping.
  ASSERT_EQ(sounds().size(), 3u);
  EXPECT_TRUE(sounds()[0].id == SndPlayBgm && !sounds()[0].start);
  EXPECT_TRUE(sounds()[1].id == SndPinch && !sounds()[1].start);
  EXPECT_TRUE(sounds()[2].id == SndTitleBgm && sounds()[2].start && sounds()[2].loop);
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
