// The solo play frame's keys: turns once per press, Escape, and the debug keys of a test start.
#include "solo/solo_scene.h"
#include "game_test_support.h"
#include "services/quit.h"

namespace {

class SoloSceneTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ClearQuitRequest();
    Game.side1.fallInterval = 1000;  // the pair hangs in the open
  }
  void TearDown() override {
    ClearQuitRequest();
    GameTest::TearDown();
  }
  // Frames with these keys held, then one with none; the scene the last held frame returned.
  int32_t Press(std::initializer_list<int> keys, int frames = 1) {
    Hold(keys);
    int32_t next = SceneSolo;
    for (int i = 0; i < frames; ++i)
      next = SoloPlayFrame();
    ReleaseKeys();
    SoloPlayFrame();
    return next;
  }
};

TEST_F(SoloSceneTest, ATurnKeyTurnsOncePerPressAndShadowsTheOthers) {
  Press({'K', 'L', KeyEscape}, 5);
  EXPECT_TRUE(Game.side1.FallingPair.orientation == 'l' && Game.rotateGauge == 2);
  EXPECT_FALSE(QuitRequested());
  Press({'L'}, 3);
  EXPECT_TRUE(Game.side1.FallingPair.orientation == 't' && Game.rotateGauge == 4);
  Press({KeyEscape});
  EXPECT_TRUE(QuitRequested());
}

TEST_F(SoloSceneTest, DebugKeysActOnlyInATestStart) {
  EXPECT_EQ(Press({KeyF5}), SceneSolo);
  Press({KeyPageUp}, 3);
  EXPECT_EQ(Game.score, 0);
  Game.debugMode = 1;
  Press({KeyPageUp}, 3);
  EXPECT_EQ(Game.score, 300);
  Press({KeyF6}, 3);
  EXPECT_TRUE(Game.BlackHole.active);
  Press({KeyF6});
  EXPECT_FALSE(Game.BlackHole.active);
  Press({KeyF2}, 2);
  Press({KeyF3});
  EXPECT_TRUE(Game.viewDirection == 'l' && Game.mirrored);
  Press({KeyHome});
  EXPECT_TRUE(Game.viewDirection == 'b' && !Game.mirrored);
  EXPECT_EQ(Press({KeyF4}), SceneTitle);
  EXPECT_EQ(Press({KeyF5}), SceneGameOver);
}

}  // namespace
