// The solo play frame's keys: turns once per press, Escape, and the debug keys of a test start.
#include "solo/solo_scene.h"
#include "app/quit.h"
#include "game_test_support.h"

namespace {

class SoloSceneTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ClearQuitRequest();
    Game.CurrentScene = SceneSolo;
    Game.side1.fallInterval = 1000;  // the pair hangs in the open
  }
  void TearDown() override {
    ClearQuitRequest();
    GameTest::TearDown();
  }
  // Runs frames with these keys held; the scene the last one returned.
  int32_t Frames(int count, std::initializer_list<int> keys) {
    Hold(keys);
    int32_t next = SceneSolo;
    for (int i = 0; i < count; ++i)
      next = SoloPlayFrame();
    return next;
  }
};

TEST_F(SoloSceneTest, ATurnKeyTurnsOncePerPressAndShadowsTheOthers) {
  Frames(1, {});
  Frames(5, {'K', 'L', KeyEscape});
  EXPECT_EQ(Game.side1.FallingPair.orientation, 'l');  // counter-clockwise, once
  EXPECT_EQ(Game.rotateGauge, 2);
  EXPECT_FALSE(QuitRequested());
  Frames(1, {});
  Frames(3, {'L'});
  EXPECT_EQ(Game.side1.FallingPair.orientation, 't');
  EXPECT_EQ(Game.rotateGauge, 4);
  Frames(1, {KeyEscape});
  EXPECT_TRUE(QuitRequested());
}

TEST_F(SoloSceneTest, DebugKeysActOnlyInATestStart) {
  EXPECT_EQ(Frames(3, {KeyF5}), SceneSolo);
  Frames(3, {KeyPageUp});
  EXPECT_EQ(Game.score, 0);
  Game.debugMode = 1;
  Frames(3, {KeyPageUp});
  EXPECT_EQ(Game.score, 300);
  Frames(3, {KeyF6});
  EXPECT_TRUE(Game.BlackHole.active);
  Frames(1, {});
  Frames(1, {KeyF6});
  EXPECT_FALSE(Game.BlackHole.active);
  Frames(1, {});
  Frames(2, {KeyF2});
  Frames(1, {});
  Frames(1, {KeyF3});
  EXPECT_TRUE(Game.viewDirection == 'l' && Game.mirrored);
  Frames(1, {KeyHome});
  EXPECT_TRUE(Game.viewDirection == 'b' && !Game.mirrored);
  EXPECT_EQ(Cell(1, 1, 3), CellEmpty);  // written back by the pair's next move
  EXPECT_EQ(Frames(1, {KeyF4}), SceneTitle);
  EXPECT_EQ(Frames(1, {KeyF5}), SceneGameOver);
}

}  // namespace
